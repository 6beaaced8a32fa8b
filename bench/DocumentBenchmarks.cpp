#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFileInfo>

namespace Benchmarks {

namespace {

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
QString savedOnce(const QString& target, int channels,
                  bool (*save)(const ChannelTableModel&, const QString&))
{
    if (!QFileInfo::exists(target)) {
        ChannelTableModel table;
        BenchSite::Fill(table, channels);
        save(table, target);
    }
    return target;
}

bool saveCsv(const ChannelTableModel& table, const QString& path)
{
    return SaveCsvFile(table, path).ok;
}

void loadDip(benchmark::State& state)
{
    const QString path = siteOf(state).dip;
    ChannelTableModel table;
    for (auto _ : state) {
        if (!LoadDipFile(table, path)) {
            state.SkipWithError("LoadDipFile failed");
            break;
        }
    }
}

// One saver over the same site again and again, into the same file.
template <bool (*Save)(const ChannelTableModel&, const QString&), QString (*Target)(int)>
void saveSite(benchmark::State& state)
{
    const QString path = Target(int(state.range(0)));
    ChannelTableModel table;
    BenchSite::Fill(table, int(state.range(0)));
    for (auto _ : state) {
        if (!Save(table, path)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}

void loadCsv(benchmark::State& state)
{
    const QString path = siteOf(state).csv;
    const int channels = int(state.range(0));
    ChannelTableModel table;
    table.SetChannelCount(channels, ChannelTableModel::FillAllRows);
    for (auto _ : state) {
        const CsvLoadResult loaded = LoadCsvFile(table, path);
        if (!loaded.file || loaded.aborted || loaded.lastChannel != channels) {
            state.SkipWithError("LoadCsvFile failed");
            break;
        }
    }
}

// The reset of a table that holds a site, as New or a load does: every text the site held is
// released. The site is put back, untimed, before each reset.
void setChannelCount(benchmark::State& state)
{
    const int channels = int(state.range(0));
    ChannelTableModel site;
    BenchSite::Fill(site, channels);
    ChannelTableModel table;
    table.SetChannelCount(channels, ChannelTableModel::FillAllRows);
    for (auto _ : state) {
        state.PauseTiming();
        BenchSite::CopyInto(table, site);
        state.ResumeTiming();
        if (!table.SetChannelCount(channels, ChannelTableModel::FillAllRows)) {
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
    Register("SaveCsvFile", saveSite<saveCsv, savedCsv>);
    RegisterWriteBaseline("SaveCsvFile", [](int channels) {
        return savedOnce(savedCsv(channels), channels, saveCsv);
    });
    Register("SetChannelCount", setChannelCount);
}

} // namespace Benchmarks
