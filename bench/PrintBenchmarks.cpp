#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "checks/Fingerprint.h"
#include "labels/LabelRows.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

#include <QDir>

namespace Benchmarks {

namespace {

QString outputOf(const benchmark::State& state, const QString& name)
{
    return QDir(BenchFiles::instance().site(int(state.range(0))).outputDirectory).filePath(name);
}

// From the rows to the PDF on the disk, as Export PDF and zr415-convert write it.
void writeSiteRecord(benchmark::State& state)
{
    const ChannelRows rows = BenchSite::Rows(int(state.range(0)));
    const QString path = outputOf(state, QStringLiteral("record.pdf"));
    for (auto _ : state) {
        SiteRecordDocument record(
            PrintedSite::of(rows, QStringLiteral("Bench"), QStringLiteral("bench.dip")));
        const std::optional<FileResult> result = WritePdf(record, path);
        if (!result || !*result) {
            state.SkipWithError("the site record was not written");
            break;
        }
    }
}

void writeLabelSheet(benchmark::State& state)
{
    const ChannelRows rows = BenchSite::Rows(int(state.range(0)));
    const QString path = outputOf(state, QStringLiteral("labels.pdf"));
    for (auto _ : state) {
        LabelSheetDocument sheet(LabelRows(rows), QStringLiteral("Bench"),
                                 Fingerprint::ofSite(rows), LabelSheetGrid());
        const std::optional<FileResult> result = WritePdf(sheet, path);
        if (!result || !*result) {
            state.SkipWithError("the label sheet was not written");
            break;
        }
    }
}

} // namespace

void RegisterPrintBenchmarks()
{
    Register("WriteSiteRecordPdf", writeSiteRecord);
    Register("WriteLabelSheetPdf", writeLabelSheet);
}

} // namespace Benchmarks
