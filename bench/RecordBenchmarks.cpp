#include "BenchFiles.h"
#include "BenchSite.h"
#include "Benchmarks.h"

#include "checks/Fingerprint.h"
#include "print/AlterationRecordDocument.h"
#include "print/PagePrinting.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>

namespace Benchmarks {

namespace {

// As the status bar shows it after every edit: the channel file's bytes made and hashed.
void fingerprint(benchmark::State& state)
{
    const ChannelRows rows = BenchSite::Rows(int(state.range(0)));
    for (auto _ : state) {
        const QString shown = Fingerprint::ofSite(rows);
        benchmark::DoNotOptimize(shown.constData());
    }
}

// Every channel renamed and every other one rewired: the longest record a site can have.
void writeAlterationRecord(benchmark::State& state)
{
    const ChannelRows before = BenchSite::Rows(int(state.range(0)));
    ChannelRows after = before;
    for (qsizetype row = 0; row < after.size(); ++row) {
        after[row].relNam += QStringLiteral(" X");
        after[row].back = row % 2 == 0 ? !after[row].back : after[row].back;
    }
    const QString path = QDir(BenchFiles::instance().site(int(state.range(0))).outputDirectory)
                             .filePath(QStringLiteral("alteration.pdf"));
    const AlteredSite old{QStringLiteral("Bench"), QStringLiteral("old.dip"),
                          QDateTime::currentDateTime(), Fingerprint::ofSite(before), false};
    const AlteredSite changed{QStringLiteral("Bench"), QStringLiteral("new.dip"),
                              QDateTime::currentDateTime(), Fingerprint::ofSite(after), true};
    for (auto _ : state) {
        AlterationRecordDocument record(old, changed, CompareSites(after, before, true),
                                        int(after.size()), QDateTime::currentDateTime());
        const std::optional<FileResult> result = WritePdf(record, path);
        if (!result || !*result) {
            state.SkipWithError("the alteration record was not written");
            break;
        }
    }
}

// The whole run of zr415-convert --self-test, each case a process of its own.
void selfTest(benchmark::State& state)
{
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(ZR415_CONVERT_EXE), {QStringLiteral("--self-test")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("the self-test did not pass");
            break;
        }
    }
}

} // namespace

void RegisterRecordBenchmarks()
{
    Register("Fingerprint", fingerprint);
    Register("WriteAlterationRecordPdf", writeAlterationRecord);
    benchmark::RegisterBenchmark("SelfTest", selfTest)
        ->Arg(3072)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace Benchmarks
