// Golden cases of zr415-convert: tests/data/convert/<case>/ holds the arguments, what the
// program must print, its exit status and the files it must leave.
#include "support/GoldenFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

const QString kData = QStringLiteral(ZR415_TEST_DATA "/convert");
const QString kLabelsFile = QStringLiteral("labels.db");

QString caseText(const QString& caseDir, const QString& name, const QString& workDir)
{
    QString text = Golden::readText(caseDir + u'/' + name);
    QString usage = Golden::readText(kData + QStringLiteral("/usage.txt"));
    usage.chop(usage.endsWith(u'\n') ? 1 : 0);
    text.replace(QStringLiteral("{usage}"), usage);
    return Golden::expandDir(text, workDir);
}

// What the program printed, with Windows line ends as plain newlines.
QString printed(const QByteArray& bytes)
{
    return QString::fromLocal8Bit(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Runs the statements of the labels table script on a new SQLite file.
void createLabelsDatabase(const QString& file)
{
    QFile script(QStringLiteral(ZR415_LABELS_TABLE_SQL));
    QVERIFY(script.open(QIODevice::ReadOnly));
    const QString statements = QString::fromUtf8(script.readAll());
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("golden-setup"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(statements), qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("golden-setup"));
}

// The table's rows in insertion order, one line each, fields joined by " | ".
QString labelsTable(const QString& file)
{
    QString out;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("golden-read"));
        db.setDatabaseName(file);
        if (!db.open())
            return QStringLiteral("cannot open ") + file;
        QSqlQuery query(QStringLiteral("SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, "
                                       "relNam3, relNam4, fOrB1, fOrB2, fOrB3, fOrB4 "
                                       "FROM TblForLabel ORDER BY id"),
                        db);
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
            out += fields.join(QStringLiteral(" | ")) + u'\n';
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("golden-read"));
    return out;
}

// A case's file-size-limit.txt caps every file the program writes at that many bytes, as a
// full disk would: a write past it fails with "File too large". False where no such limit
// exists and the case sets one.
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
        // Ignored, the signal leaves the failing write to return its error.
        std::signal(SIGXFSZ, SIG_IGN);
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
    const Golden::Tree filesBefore = Golden::snapshot(work.path());
    const bool labels = QFileInfo::exists(caseDir + QStringLiteral("/labels.txt"));
    if (labels) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            QSKIP("the SQLite driver is not installed");
        createLabelsDatabase(work.filePath(kLabelsFile));
    }
    const QStringList arguments =
        caseText(caseDir, QStringLiteral("args.txt"), work.path()).split(u'\n', Qt::SkipEmptyParts);
    if (QTest::currentTestFailed())
        return;

    QProcess process;
    if (!limitFileSize(process, caseDir))
        QSKIP("this system cannot limit the size of a file");
    process.setWorkingDirectory(work.path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral(ZR415_CONVERT_EXE), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);

    Golden::compareLines(printed(process.readAllStandardError()),
                         caseText(caseDir, QStringLiteral("stderr.txt"), work.path()),
                         QStringLiteral("standard error"));
    Golden::compareLines(printed(process.readAllStandardOutput()),
                         caseText(caseDir, QStringLiteral("stdout.txt"), work.path()),
                         QStringLiteral("standard output"));
    QCOMPARE(process.exitCode(),
             Golden::readText(caseDir + QStringLiteral("/status.txt")).trimmed().toInt());
    Golden::Tree after = Golden::snapshot(work.path());
    if (labels) {
        Golden::compareLines(labelsTable(work.filePath(kLabelsFile)),
                             Golden::readText(caseDir + QStringLiteral("/labels.txt")),
                             QStringLiteral("labels table"));
        after.remove(kLabelsFile);
    }
    if (QTest::currentTestFailed())
        return;
    Golden::compareTrees(after, Golden::expectedTree(caseDir, filesBefore));
}

QTEST_GUILESS_MAIN(TestConvertGolden)
#include "tst_convertgolden.moc"
