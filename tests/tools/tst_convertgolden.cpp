// Golden cases of zr415-convert: tests/data/convert/<case>/ holds the arguments, what the
// program must print, its exit status and the files it must leave.
#include "support/GoldenFiles.h"
#include "support/PdfPages.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

// Runs one statement on an SQLite file: its rows, one a line, fields joined by " | ".
QString sqlite(const QString& file, const QString& statement)
{
    QString out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "golden");
        db.setDatabaseName(file);
        QSqlQuery query(db);
        if (!db.open() || !query.exec(statement))
            out = "failed: " + statement + ": " + query.lastError().text();
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << (query.isNull(i) ? "NULL" : query.value(i).toString());
            out += fields.join(" | ") + u'\n';
        }
    }
    QSqlDatabase::removeDatabase("golden");
    return out;
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

// A PDF written, as expected/<name>.pdf.txt says it: the lines of text on its pages, top to
// bottom, blanks within a line one space wide and empty lines dropped, pages parted by a line
// "-- page --"; "{date}" stands for today, "{dir}" and "{time}" as in the other texts. Where
// poppler's pdftotext is missing (Windows), only that the PDF was written. Both are then left
// out of the trees compared.
void comparePdfTexts(Golden::Tree& actual, Golden::Tree& expected, const QString& workDir)
{
    const bool readable = !QStandardPaths::findExecutable("pdftotext").isEmpty();
    for (const QString& name : expected.keys()) {
        if (!name.endsWith(".pdf.txt"))
            continue;
        const QString pdf = name.chopped(4);
        QVERIFY2(actual.contains(pdf), qPrintable(pdf + " was not written"));
        QStringList pages = PdfPages::texts(workDir + u'/' + pdf);
        for (QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split(u'\n'))
                lines.append(line.simplified());
            lines.removeAll(QString());
            page = lines.join(u'\n');
        }
        const QString want =
            Golden::expandDir(QString::fromUtf8(expected.take(name))
                                  .replace("{date}", QDate::currentDate().toString(Qt::ISODate)),
                              workDir);
        if (readable)
            Golden::compareLines(pages.join("\n-- page --\n") + u'\n', want, pdf);
        actual.remove(pdf);
    }
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
    const Golden::Tree filesBefore = Golden::snapshot(work.path());
    const QString labelsDb = work.filePath("labels.db");
    const bool labels = QFileInfo::exists(caseDir + QStringLiteral("/labels.txt"));
    if (labels) {
        if (!QSqlDatabase::isDriverAvailable("QSQLITE"))
            QSKIP("the SQLite driver is not installed");
        QFile script(ZR415_LABELS_TABLE_SQL);
        QVERIFY(script.open(QIODevice::ReadOnly));
        QCOMPARE(sqlite(labelsDb, QString::fromUtf8(script.readAll())), QString());
    }
    const QStringList arguments =
        caseText(caseDir, "args.txt", work.path()).split(u'\n', Qt::SkipEmptyParts);
    QProcess process;
    if (!limitFileSize(process, caseDir))
        QSKIP("this system cannot limit the size of a file");
    process.setWorkingDirectory(work.path());
    // The printing programs' own folder, as a desktop session gives them one.
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
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
        Golden::compareLines(sqlite(labelsDb, "SELECT chNo1, chNo2, chNo3, chNo4, relNam1, "
                                              "relNam2, relNam3, relNam4, fOrB1, fOrB2, fOrB3, "
                                              "fOrB4 FROM TblForLabel ORDER BY id"),
                             Golden::readText(caseDir + "/labels.txt"), "labels table");
        after.remove("labels.db");
    }
    Golden::Tree expected = Golden::expectedTree(caseDir, filesBefore);
    comparePdfTexts(after, expected, work.path());
    if (QTest::currentTestFailed())
        return;
    Golden::compareTrees(after, expected);
}

QTEST_GUILESS_MAIN(TestConvertGolden)
#include "tst_convertgolden.moc"
