#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "corvane/ChannelAllocations.h"

#include <QDir>
#include <QFileInfo>

namespace Benchmarks {

namespace {

const QString kChannelFile = QStringLiteral("DChannel.cfg");

// The bench site's DChannel.cfg, as the editor writes it, made on first use.
QString siteDirectory(int channels)
{
    const QString directory = BenchFiles::instance().site(channels).corvaneDirectory;
    if (!QFileInfo::exists(QDir(directory).filePath(kChannelFile)))
        SaveCorvaneChannelFile(BenchSite::Rows(channels), directory);
    return directory;
}

QString savedDirectory(int channels)
{
    const QString directory = BenchFiles::instance().site(channels).outputDirectory;
    if (!QFileInfo::exists(QDir(directory).filePath(kChannelFile)))
        SaveCorvaneChannelFile(BenchSite::Rows(channels), directory);
    return directory;
}

// The Import command's read after the site selector: the allocations, made into a site.
void importSite(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const QString directory = siteDirectory(channels);
    for (auto _ : state) {
        const SiteRead read = ImportCorvaneSite(directory);
        if (read.outcome != SiteRead::Outcome::Loaded || read.rows.size() != channels) {
            state.SkipWithError("ImportCorvaneSite failed");
            break;
        }
    }
}

void saveChannelFile(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const QString directory = savedDirectory(channels);
    const ChannelRows rows = BenchSite::Rows(channels);
    for (auto _ : state) {
        if (!SaveCorvaneChannelFile(rows, directory)) {
            state.SkipWithError("SaveCorvaneChannelFile failed");
            break;
        }
    }
}

} // namespace

void RegisterCorvaneBenchmarks()
{
    const std::string import = "ImportCorvaneSite";
    Register(import, importSite);
    RegisterReadBaseline(
        import, [](int channels) { return QDir(siteDirectory(channels)).filePath(kChannelFile); });
    Register("SaveCorvaneChannelFile", saveChannelFile);
    RegisterWriteBaseline("SaveCorvaneChannelFile", [](int channels) {
        return QDir(savedDirectory(channels)).filePath(kChannelFile);
    });
}

} // namespace Benchmarks
