#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

namespace Benchmarks {

namespace {

// The export as the editor runs it on Linux: SQLite through QSQLITE, a fresh connection,
// the old rows deleted and the new ones inserted in one transaction.
void exportLabels(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const LabelDatabase database{QStringLiteral("QSQLITE"),
                                 BenchFiles::instance().site(channels).labelsDatabase, QString()};
    const ChannelRows rows = BenchSite::Rows(channels);
    for (auto _ : state) {
        if (!ExportLabelDatabase(rows, database)) {
            state.SkipWithError("ExportLabelDatabase failed");
            break;
        }
    }
}

} // namespace

void RegisterLabelBenchmarks()
{
    Register("ExportLabelDatabase", exportLabels);
}

} // namespace Benchmarks
