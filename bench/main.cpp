#include "BenchFiles.h"
#include "Benchmarks.h"
#include "NullDialogs.h"

#include <QGuiApplication>

#include <cstdio>

// The file operations of the editor against the plain I/O that moves the same bytes, at
// every site size. Run through scripts/bench.sh, which also takes the editor's own figures.
int main(int argc, char* argv[])
{
    // The SQL drivers are plugins; the PDF pages need the fonts of a QGuiApplication, which
    // needs no display offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    NullDialogs dialogs;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchFiles::instance();
    Benchmarks::RegisterDocumentBenchmarks();
    Benchmarks::RegisterCorvaneBenchmarks();
    Benchmarks::RegisterLabelBenchmarks();
    Benchmarks::RegisterCheckBenchmarks();
    Benchmarks::RegisterPrintBenchmarks();
    Benchmarks::RegisterRecordBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The readers and writers hand their notices back; none of them shows a box.
    const long long boxes =
        dialogs.notices() + dialogs.questions() + dialogs.saveQuestions() + dialogs.fileDialogs();
    if (boxes > 0) {
        std::fprintf(stderr, "%lld unexpected boxes during the run\n", boxes);
        return 1;
    }
    return 0;
}
