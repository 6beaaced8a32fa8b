// Golden cases of zr415-convert: tests/data/convert/<case>/ holds the arguments, what the
// program must print, its exit status and the files it must leave.
#include "support/GoldenFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

const QString kData = QStringLiteral(ZR415_TEST_DATA "/convert");

QString caseText(const QString& caseDir, const QString& name, const QString& workDir)
{
    QString usage = Golden::readText(kData + QStringLiteral("/usage.txt"));
    usage.chop(usage.endsWith(u'\n') ? 1 : 0);
    return Golden::expandDir(
        Golden::readText(caseDir + u'/' + name).replace(QStringLiteral("{usage}"), usage), workDir);
}

// The SQLite file that the argument after --labels names, itself or as an ODBC string's
// Database=; empty without --labels.
QString labelsFile(const QStringList& arguments)
{
    const qsizetype option = arguments.indexOf("--labels");
    const QString target = option < 0 ? QString() : arguments.value(option + 1);
    const qsizetype at = target.indexOf(QStringLiteral("Database="));
    return at < 0 ? target : target.mid(at + 9).section(u';', 0, 0);
}

// labels-setup.txt, or labels.txt alone: statements that make the labels file before the run,
// one a paragraph; "{table}" is the table script.
void makeLabelsFile(const QString& caseDir, const QString& file)
{
    const QString setup = caseDir + QStringLiteral("/labels-setup.txt");
    const QString statements =
        QFileInfo::exists(setup) ? Golden::readText(setup) : QStringLiteral("{table}");
    for (const QString& statement : statements.split("\n\n", Qt::SkipEmptyParts)) {
        const bool table = statement.trimmed() == QLatin1String("{table}");
        const QString sql = table ? Golden::labelsTableStatement() : statement;
        QCOMPARE(Golden::sqlite(file, sql), QString());
    }
}

// file-size-limit.txt caps every file the program writes, as a full disk would. False where
// no such limit exists.
bool limitFileSize(QProcess& process, const QString& caseDir)
{
    const QString path = caseDir + QStringLiteral("/file-size-limit.txt");
    if (!QFileInfo::exists(path))
        return true;
#ifdef Q_OS_UNIX
    const rlim_t limit = Golden::readText(path).trimmed().toULongLong();
    process.setChildProcessModifier([limit] {
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        std::signal(SIGXFSZ, SIG_IGN); // so that the write returns its error
    });
    return true;
#else
    Q_UNUSED(process);
    return false;
#endif
}

} // namespace

class TestConvertGolden : public QObject
{
    Q_OBJECT

private slots:
    void cases_data() { Golden::addCaseRows(kData); }
    void cases();
};

void TestConvertGolden::cases()
{
    QFETCH(QString, caseDir);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    Golden::copyTree(caseDir + QStringLiteral("/files"), work.path());
    if (!Golden::makeFifos(caseDir, work.path()))
        QSKIP("this system has no FIFOs");
    const QStringList arguments =
        caseText(caseDir, "args.txt", work.path()).split(u'\n', Qt::SkipEmptyParts);
    const QString labelsDb = labelsFile(arguments);
    const bool labels = QFileInfo::exists(caseDir + QStringLiteral("/labels.txt"));
    if (labels || QFileInfo::exists(caseDir + QStringLiteral("/labels-setup.txt"))) {
        if (!QSqlDatabase::isDriverAvailable("QSQLITE"))
            QSKIP("the SQLite driver is not installed");
        if (arguments.join(u' ').contains("DRIVER=") && !Golden::odbcSqliteAvailable())
            QSKIP("ODBC or its SQLite driver (SQLite3, Debian's libsqliteodbc) is missing");
        makeLabelsFile(caseDir, labelsDb);
    }
    const Golden::Tree filesBefore = Golden::snapshot(work.path());
    QProcess process;
    if (!limitFileSize(process, caseDir))
        QSKIP("this system cannot limit the size of a file");
    process.setWorkingDirectory(work.path());
    // The printing programs' own folder, as a desktop session gives them one.
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
#ifdef Q_OS_WIN
    // The offscreen platform of the tests looks for fonts beside Qt; Windows keeps its own.
    environment.insert("QT_QPA_FONTDIR",
                       QStandardPaths::writableLocation(QStandardPaths::FontsLocation));
#endif
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(ZR415_CONVERT_EXE, arguments);
    // Minutes, not seconds: under Wine on a loaded machine a process start alone takes seconds.
    QVERIFY2(process.waitForFinished(300000), qPrintable(process.errorString()));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);

    // Windows line ends are read as plain newlines.
    const auto printed = [](const QByteArray& bytes) {
        return QString::fromLocal8Bit(bytes).replace("\r\n", "\n");
    };
    Golden::compareLines(printed(process.readAllStandardError()),
                         caseText(caseDir, "stderr.txt", work.path()), "standard error");
    Golden::compareLines(printed(process.readAllStandardOutput()),
                         caseText(caseDir, "stdout.txt", work.path()), "standard output");
    QCOMPARE(process.exitCode(), Golden::readText(caseDir + "/status.txt").trimmed().toInt());
    Golden::Tree after = Golden::snapshot(work.path());
    if (labels) {
        Golden::compareLines(Golden::labelsTable(labelsDb),
                             Golden::readText(caseDir + "/labels.txt"), "labels table");
        after.remove(QDir(work.path()).relativeFilePath(labelsDb));
    }
    Golden::Tree expected = Golden::expectedTree(caseDir, filesBefore);
    if (labels)
        expected.remove(QDir(work.path()).relativeFilePath(labelsDb));
    Golden::comparePdfTexts(after, expected, work.path());
    if (QTest::currentTestFailed())
        return;
    Golden::compareTrees(after, expected);
}

QTEST_GUILESS_MAIN(TestConvertGolden)
#include "tst_convertgolden.moc"
