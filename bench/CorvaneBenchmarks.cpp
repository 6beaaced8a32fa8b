#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"

#include <QDir>
#include <QFileInfo>

namespace Benchmarks {

namespace {

const QString kChannelFile = QStringLiteral("DChannel.cfg");

// The bench site's DChannel.cfg, as the editor writes it, made on first use.
QString siteDirectory(int channels)
{
    const QString directory = BenchFiles::instance().site(channels).corvaneDirectory;
    if (!QFileInfo::exists(QDir(directory).filePath(kChannelFile))) {
        ChannelTableModel table;
        BenchSite::Fill(table, channels);
        SaveCorvaneChannelFile(table, directory);
    }
    return directory;
}

QString savedDirectory(int channels)
{
    const QString directory = BenchFiles::instance().site(channels).outputDirectory;
    if (!QFileInfo::exists(QDir(directory).filePath(kChannelFile))) {
        ChannelTableModel table;
        BenchSite::Fill(table, channels);
        SaveCorvaneChannelFile(table, directory);
    }
    return directory;
}

// The Import command after the site selector: read the allocations, merge them into the table.
void importAllocations(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const QString directory = siteDirectory(channels);
    ChannelTableModel table;
    for (auto _ : state) {
        DigitalChannelList allocations; // the Import command starts each time afresh
        ModCrvFile::LoadDigitalChannels(directory, allocations);
        if (allocations.lastIndex() != channels || !FillFromAllocations(table, allocations)) {
            state.SkipWithError("LoadDigitalChannels or FillFromAllocations failed");
            break;
        }
    }
}

void saveChannelFile(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const QString directory = savedDirectory(channels);
    ChannelTableModel table;
    BenchSite::Fill(table, channels);
    for (auto _ : state) {
        if (!SaveCorvaneChannelFile(table, directory)) {
            state.SkipWithError("SaveCorvaneChannelFile failed");
            break;
        }
    }
}

} // namespace

void RegisterCorvaneBenchmarks()
{
    const std::string import = "LoadDigitalChannels+FillFromAllocations";
    Register(import, importAllocations);
    RegisterReadBaseline(
        import, [](int channels) { return QDir(siteDirectory(channels)).filePath(kChannelFile); });
    Register("SaveCorvaneChannelFile", saveChannelFile);
    RegisterWriteBaseline("SaveCorvaneChannelFile", [](int channels) {
        return QDir(savedDirectory(channels)).filePath(kChannelFile);
    });
}

} // namespace Benchmarks
