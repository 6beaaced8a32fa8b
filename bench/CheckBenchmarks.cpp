#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "checks/CardCheck.h"
#include "checks/SiteChecks.h"
#include "checks/SiteComparison.h"
#include "commands/DocumentCommands.h"
#include "commands/RecoveryCopy.h"
#include "commands/SiteRecovery.h"
#include "common/AtomicFile.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"

#include <QDir>
#include <QFileInfo>

namespace Benchmarks {

namespace {

// The bench site names its relays at random from a few hundred numbers, so it holds many
// duplicates: more problems to list than a real site has.
void checkSite(benchmark::State& state)
{
    const ChannelRows rows = BenchSite::Rows(int(state.range(0)));
    qsizetype problems = 0;
    for (auto _ : state) {
        problems = CheckSite(rows).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["problems"] = double(problems);
}

// The site against a copy altered as a checker meets it: one channel in sixteen renamed.
void compareSites(benchmark::State& state)
{
    const ChannelRows ours = BenchSite::Rows(int(state.range(0)));
    ChannelRows theirs = ours;
    for (qsizetype row = 0; row < theirs.size(); row += 16)
        theirs[row].relNam += QStringLiteral(" X");
    int differences = 0;
    for (auto _ : state) {
        differences = CompareSites(ours, theirs, true).count();
        benchmark::DoNotOptimize(differences);
    }
    state.counters["differences"] = double(differences);
}

// Verify card on a card that holds the site: the site's bytes made, the card's file read back
// past the cache and compared to its last byte.
void checkCard(benchmark::State& state)
{
    const int channels = int(state.range(0));
    const ChannelRows rows = BenchSite::Rows(channels);
    const QString card = BenchFiles::instance().site(channels).dip;
    bool verified = false;
    for (auto _ : state) {
        verified = CheckCard(card, EncodeDipFile(rows), ReadBackFromDevice).verified();
        benchmark::DoNotOptimize(verified);
    }
    if (!verified)
        state.SkipWithError("the card's file was not the site's");
}

QString recoveryFolder(int channels)
{
    return BenchFiles::instance().path(QStringLiteral("recovery-%1").arg(channels));
}

// A copy of the modified bench site as the editor writes it, so that the raw write beside the
// operation moves as many bytes.
QString recoveryCopyFile(int channels)
{
    const QString path = QDir(recoveryFolder(channels)).filePath(QStringLiteral("baseline"));
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(recoveryFolder(channels));
        const RecoveryCopy copy{BenchSite::Rows(channels), {}, {}, QDateTime::currentDateTimeUtc()};
        AtomicFile::write(path, copy.encode());
    }
    return path;
}

// What the editor does a moment after the last edit: the whole modified site written
// atomically beside the other copies.
void writeRecoveryCopy(benchmark::State& state)
{
    const int channels = int(state.range(0));
    ChannelTableModel table;
    table.replaceRows(BenchSite::Rows(channels));
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    SiteRecovery recovery(commands, table, recoveryFolder(channels));
    table.setData(table.index(0, ChannelTableModel::ColRelNam), QStringLiteral("EDITED"));
    if (!commands.isModified()) {
        state.SkipWithError("the edit did not modify the site");
        return;
    }
    for (auto _ : state)
        recovery.writeNow();
    if (!QFileInfo(recovery.copyPath()).isFile())
        state.SkipWithError("no recovery copy was written");
    recovery.discard();
}

} // namespace

void RegisterCheckBenchmarks()
{
    Register("CheckSite", checkSite);
    Register("CompareSites", compareSites);
    Register("CheckCard", checkCard);
    RegisterReadBaseline("CheckCard",
                         [](int channels) { return BenchFiles::instance().site(channels).dip; });
    Register("WriteRecoveryCopy", writeRecoveryCopy);
    RegisterWriteBaseline("WriteRecoveryCopy", recoveryCopyFile);
}

} // namespace Benchmarks
