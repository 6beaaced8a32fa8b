// The label export on Windows: the Access connection the editor opens, and real exports through
// Windows' ODBC. Under Wine that ODBC is the host's unixODBC, where the SQLite ODBC driver
// stands in for Access's; it opens host paths, so the databases lie in the build tree.
#include "document/ChannelTableModel.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

namespace {

using Table = QList<QStringList>;

const QString kStandIn = "SQLite3"; // Debian's libsqliteodbc registers it

// A database file of this test: the path the host's driver opens and the one Windows sees.
struct Database
{
    QString host;
    QString windows;
};

Database database(const QString& name)
{
    return {QString(ZR415_HOST_WORK_DIR) + '/' + name,
            QDir::toNativeSeparators(QString(ZR415_WINDOWS_WORK_DIR) + '/' + name)};
}

// What the editor opens, with the stand-in driver's name for the database file: the Access
// driver is tried first and, missing, gives way to the fallback as on 64-bit Windows.
LabelDatabase accessFirst(const Database& file)
{
    return {"QODBC", "DRIVER={Microsoft Access Driver (*.mdb)};Database=" + file.host, kStandIn};
}

// Runs the statements through ODBC: the rows of the last one, and a row for each failure.
Table odbc(const Database& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    Table rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", name);
        db.setDatabaseName(QString("DRIVER={%1};Database=%2").arg(kStandIn, file.host));
        const bool open = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (!open || !query.exec(statement))
                rows << QStringList{statement, db.lastError().text(), query.lastError().text()};
        }
        while (query.isSelect() && query.next()) {
            rows << QStringList();
            for (int f = 0; f < query.record().count(); ++f)
                rows.last() << query.value(f).toString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

Table readTable(const Database& file)
{
    return odbc(file, {"SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, relNam3, relNam4, "
                       "fOrB1, fOrB2, fOrB3, fOrB4 FROM TblForLabel ORDER BY id"});
}

// The table script as one statement: the SQLite ODBC driver refuses anything after the first,
// even a comment or the closing semicolon.
QString tableStatement()
{
    QStringList lines = QString::fromUtf8(readFile(ZR415_LABELS_TABLE_SQL)).split('\n');
    lines.removeIf([](const QString& line) { return line.startsWith("--"); });
    QString statement = lines.join('\n').trimmed();
    if (statement.endsWith(';'))
        statement.chop(1);
    return statement;
}

void createTable(const Database& file, const QStringList& more = {})
{
    QFile::remove(file.windows);
    const Table failed = odbc(file, QStringList{tableStatement()} + more);
    QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).mid(1).join(" | ")));
}

} // namespace

class TestLabelsOdbc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editorOpensTheAccessDatabase();
    void exportFillsTheTable();
    void failureKeepsTheTable_data();
    void failureKeepsTheTable();
};

void TestLabelsOdbc::initTestCase()
{
    if (!QSqlDatabase::isDriverAvailable("QODBC"))
        QSKIP("Qt's ODBC driver (QODBC) is not installed");
    // The export looks for the file by the driver's path, which Windows takes as a path on the
    // current drive: Wine's Z:, the host's root.
    QVERIFY(QDir::setCurrent(ZR415_WINDOWS_WORK_DIR));
}

void TestLabelsOdbc::editorOpensTheAccessDatabase()
{
    const LabelDatabase editor = LabelDatabase::editorDefault();
    QCOMPARE(editor.driver, "QODBC");
    QCOMPARE(editor.connection,
             "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=c:\\t\\db\\loggerlabels.mdb");
    QCOMPARE(editor.databaseFile(), "c:\\t\\db\\loggerlabels.mdb");
    QCOMPARE(editor.fallbackConnection(),
             "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=c:\\t\\db\\loggerlabels.mdb");
}

// Over the rows of an earlier site; names travel through ODBC's wide strings unchanged.
void TestLabelsOdbc::exportFillsTheTable()
{
    const Database file = database("loggerlabels.db");
    createTable(file, {"INSERT INTO TblForLabel (chNo1, relNam1) VALUES ('XX01', 'earlier site')"});
    ChannelRows table = DefaultRows(384);
    const QStringList names{"Home HR", "O'Brien, \"Z\"", "Weiche Ü 12", "TPR 4"};
    for (int c = 0; c < names.size(); ++c)
        table[c].relNam = names[c];
    table[1].back = true;
    table[5].back = true;
    const QStringList connections = QSqlDatabase::connectionNames();

    const FileResult result = ExportLabelDatabase(table, accessFirst(file));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(LabelExportReport(result, 384), "384 channels exported to label database");
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    const Table rows = readTable(file);
    QCOMPARE(rows.size(), 96);
    QCOMPARE(rows[0], QStringList({"AA01", "AA02", "AA03", "AA04", "Home HR", "O'Brien, \"Z\"",
                                   "Weiche Ü 12", "TPR 4", "F", "B", "F", "F"}));
    QCOMPARE(rows[1], QStringList({"AA05", "AA06", "AA07", "AA08", "Spare AA05", "Spare AA06",
                                   "Spare AA07", "Spare AA08", "F", "B", "F", "F"}));
    QCOMPARE(rows[95], QStringList({"AH45", "AH46", "AH47", "AH48", "Spare AH45", "Spare AH46",
                                    "Spare AH47", "Spare AH48", "F", "F", "F", "F"}));
}

void TestLabelsOdbc::failureKeepsTheTable_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("description");
    QTest::newRow("no database file") << false << "does not exist";
    QTest::newRow("a row refused half way") << true << "relay name refused";
}

void TestLabelsOdbc::failureKeepsTheTable()
{
    QFETCH(bool, fileExists);
    QFETCH(QString, description);
    const Database file = database("refusing.db");
    QFile::remove(file.windows);
    const QStringList oldRow{"X1", "", "", "", "old row", "", "", "", "B", "F", "F", "F"};
    if (fileExists) {
        createTable(file, {"INSERT INTO TblForLabel (chNo1, relNam1, fOrB1) "
                           "VALUES ('X1', 'old row', 'B')",
                           "CREATE TRIGGER refuse BEFORE INSERT ON TblForLabel "
                           "WHEN NEW.relNam3 = 'REFUSED' "
                           "BEGIN SELECT RAISE(ABORT, 'relay name refused'); END"});
    }
    ChannelRows table = DefaultRows(3072);
    table[1538].relNam = "REFUSED";

    const FileResult result = ExportLabelDatabase(table, accessFirst(file));
    QVERIFY(!result);
    const QString text = LabelExportReport(result, 3072);
    QVERIFY2(text.startsWith("Error exporting to labels database\r\n") &&
                 text.contains(description),
             qPrintable(text));
    QCOMPARE(QFile::exists(file.windows), fileExists);
    if (fileExists)
        QCOMPARE(readTable(file), Table{oldRow});
}

QTEST_GUILESS_MAIN(TestLabelsOdbc)
#include "tst_labelsodbc.moc"
