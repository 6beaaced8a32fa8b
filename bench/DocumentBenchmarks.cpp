#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"
#include "commands/ChannelCount.h"

#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFileInfo>

namespace Benchmarks {

namespace {

using Saver = FileResult (*)(const ChannelRows&, const QString&);

const BenchFiles::Site& siteOf(const benchmark::State& state)
{
    return BenchFiles::instance().site(int(state.range(0)));
}

QString savedDip(int channels)
{
    return QDir(BenchFiles::instance().site(channels).outputDirectory)
        .filePath(QStringLiteral("saved.dip"));
}

QString savedCsv(int channels)
{
    return QDir(BenchFiles::instance().site(channels).outputDirectory)
        .filePath(QStringLiteral("saved.csv"));
}

// The save's own output, so that the raw write moves exactly as many bytes.
QString savedOnce(const QString& target, int channels, Saver save)
{
    if (!QFileInfo::exists(target))
        save(BenchSite::Rows(channels), target);
    return target;
}

void loadDip(benchmark::State& state)
{
    const QString path = siteOf(state).dip;
    const int channels = int(state.range(0));
    for (auto _ : state) {
        const SiteRead read = LoadDipFile(path);
        if (read.outcome != SiteRead::Outcome::Loaded || read.rows.size() != channels) {
            state.SkipWithError("LoadDipFile failed");
            break;
        }
    }
}

// One saver over the same site again and again, into the same file.
template <Saver Save, QString (*Target)(int)>
void saveSite(benchmark::State& state)
{
    const QString path = Target(int(state.range(0)));
    const ChannelRows rows = BenchSite::Rows(int(state.range(0)));
    for (auto _ : state) {
        if (!Save(rows, path)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}

// A list read into the open site, as Open does: the reader gets its own copy of the rows.
void loadCsv(benchmark::State& state)
{
    const QString path = siteOf(state).csv;
    const int channels = int(state.range(0));
    const ChannelRows open = DefaultRows(channels);
    bool asked = false;
    const CsvQuestion ask = [&asked](const QString&) {
        asked = true;
        return true;
    };
    for (auto _ : state) {
        const SiteRead read = LoadCsvFile(path, open, ask);
        if (read.outcome != SiteRead::Outcome::Loaded || read.rows.size() != channels || asked) {
            state.SkipWithError("LoadCsvFile failed");
            break;
        }
    }
}

// The reset of a table that holds a site to default rows, as the selector's full fill does:
// every text the site held is released. The site is put back, untimed, before each reset.
void setChannelCount(benchmark::State& state)
{
    const int channels = int(state.range(0));
    ChannelTableModel table;
    for (auto _ : state) {
        state.PauseTiming();
        table.replaceRows(BenchSite::Rows(channels));
        state.ResumeTiming();
        if (!ChannelCount::SetChannelCount(table, channels, ChannelCount::FillAllRows)) {
            state.SkipWithError("SetChannelCount failed");
            break;
        }
    }
}

} // namespace

void RegisterDocumentBenchmarks()
{
    Register("LoadDipFile", loadDip);
    RegisterReadBaseline("LoadDipFile",
                         [](int channels) { return BenchFiles::instance().site(channels).dip; });
    Register("SaveDipFile", saveSite<SaveDipFile, savedDip>);
    RegisterWriteBaseline("SaveDipFile", [](int channels) {
        return savedOnce(savedDip(channels), channels, SaveDipFile);
    });
    Register("LoadCsvFile", loadCsv);
    RegisterReadBaseline("LoadCsvFile",
                         [](int channels) { return BenchFiles::instance().site(channels).csv; });
    Register("SaveCsvFile", saveSite<SaveCsvFile, savedCsv>);
    RegisterWriteBaseline("SaveCsvFile", [](int channels) {
        return savedOnce(savedCsv(channels), channels, SaveCsvFile);
    });
    Register("SetChannelCount", setChannelCount);
}

} // namespace Benchmarks
