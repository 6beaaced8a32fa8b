// The label export into a database file, through Qt's SQLite driver and through ODBC as the
// editor reaches Access on Windows: the Access driver tried first and, missing here, giving way
// to its fallback, for which the SQLite ODBC driver ("SQLite3", Debian's libsqliteodbc) stands
// in. Under Wine that ODBC is the host's unixODBC, whose driver opens host paths: the files lie
// in the build tree, named on both sides.
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"
#include "support/SiteDump.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

#include <functional>

namespace {

using Table = QList<QStringList>; // chNo1..4, relNam1..4, fOrB1..4 of every row, in order

const QString kSqlite = "sqlite";
const QString kAccess = "access";
const QString kStandIn = "SQLite3";

// A database file as this program names it and as the SQLite drivers open it.
struct Database
{
    QString path;
    QString host;
};

Database database(const QString& name)
{
    return {QDir::toNativeSeparators(ZR415_WORK_DIR "/" + name), ZR415_HOST_WORK_DIR "/" + name};
}

// The rows an export of `channels` must leave: the given names and contacts (B or F) from the
// first channel on, "Spare" names on front contacts after them.
Table expectedRows(int channels, const QStringList& names = {}, const QString& contacts = {})
{
    Table rows;
    for (int first = 1; first <= channels; first += 4) {
        QStringList labels, relays, sides;
        for (int c = first; c < first + 4; ++c) {
            labels << LabelOf(c);
            relays << names.value(c - 1, "Spare " + LabelOf(c));
            sides << QString(c <= contacts.size() ? contacts[c - 1] : QChar(u'F'));
        }
        rows << labels + relays + sides;
    }
    return rows;
}

// Runs statements on the file, through Qt's SQLite driver or, where Qt has none (Windows),
// the stand-in: the rows of the last one, and a row for each statement that failed.
Table sql(const Database& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    Table rows;
    {
        const bool direct = QSqlDatabase::isDriverAvailable("QSQLITE");
        QSqlDatabase db = QSqlDatabase::addDatabase(direct ? "QSQLITE" : "QODBC", name);
        db.setDatabaseName(direct ? file.host
                                  : QString("DRIVER={%1};Database=%2").arg(kStandIn, file.host));
        const bool open = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements)
            if (!open || !query.exec(statement))
                rows << QStringList{statement, db.lastError().text(), query.lastError().text()};
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
    return sql(file, {"SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, relNam3, relNam4, "
                      "fOrB1, fOrB2, fOrB3, fOrB4 FROM TblForLabel ORDER BY rowid"});
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

LabelDatabase target(const QString& engine, const Database& file)
{
    if (engine == kSqlite)
        return {"QSQLITE", file.path, QString()};
    return {"QODBC", "DRIVER={Microsoft Access Driver (*.mdb)};Database=" + file.host, kStandIn};
}

// Whether ODBC reaches the stand-in driver here.
bool standInAvailable()
{
    bool open = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "probe");
        db.setDatabaseName(QString("DRIVER={%1};Database=:memory:").arg(kStandIn));
        open = db.open();
    }
    QSqlDatabase::removeDatabase("probe");
    return open;
}

// Each engine this platform has, as data rows.
void addEngineRows(const std::function<void(const QString& engine)>& add)
{
    if (QSqlDatabase::isDriverAvailable("QSQLITE"))
        add(kSqlite);
    if (QSqlDatabase::isDriverAvailable("QODBC") && standInAvailable())
        add(kAccess);
    else
        qWarning("ODBC or its SQLite driver (%s) is missing: the Access path is not tested",
                 qPrintable(kStandIn));
}

} // namespace

class TestLabelExport : public QObject
{
    Q_OBJECT

    static QStringList files() { return QDir(ZR415_WORK_DIR).entryList(QDir::Files); }

private slots:
    // The export looks for the file by the driver's path, which Windows takes as a path on the
    // current drive: Wine's Z:, the host's root.
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(ZR415_WORK_DIR) && QDir::setCurrent(ZR415_WORK_DIR));
    }
    void init()
    {
        // Emptied, not removed: Windows keeps the current folder from being removed.
        for (const QString& name : files())
            QVERIFY(QDir(ZR415_WORK_DIR).remove(name));
    }

    void connections()
    {
        QCOMPARE(LabelDatabase::fromArgument("/tmp/DSN=x.db").driver, "QSQLITE");
        // A braced value may hold the separator; the fallback replaces only the driver.
        LabelDatabase odbc = LabelDatabase::fromArgument("DRIVER={A};DBQ={C:\\x;y\\l.mdb};PWD=");
        QCOMPARE(odbc.driver, "QODBC");
        odbc.fallbackDriver = "B";
        QCOMPARE(odbc.databaseFile(), "C:\\x;y\\l.mdb");
        QCOMPARE(odbc.fallbackConnection(), "DRIVER={B};DBQ={C:\\x;y\\l.mdb};PWD=");
        const LabelDatabase windows = LabelDatabase::forPlatform(LabelDatabase::Platform::Windows);
        QCOMPARE(windows.connection,
                 "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=c:\\t\\db\\loggerlabels.mdb");
        QCOMPARE(windows.fallbackConnection(), "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};"
                                               "DBQ=c:\\t\\db\\loggerlabels.mdb");
    }

    void exportReplacesTheTable_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("fileName");
        addEngineRows([](const QString& engine) {
            // The SQLite file is opened through a file: URI, which must not read these as its
            // syntax.
            if (engine == kSqlite)
                QTest::newRow("sqlite, eight units, URI characters in the name")
                    << engine << 8 << "logger #b?mode=ro 100%20 Ä.db";
            else
                QTest::newRow("odbc as Access, one unit") << engine << 1 << "loggerlabels.db";
        });
    }

    // Over the rows of an earlier eight-unit site; names travel through ODBC's wide strings
    // unchanged.
    void exportReplacesTheTable()
    {
        QFETCH(QString, engine);
        QFETCH(int, units);
        QFETCH(QString, fileName);
        const Database file = database(fileName);
        QCOMPARE(sql(file, {tableStatement()}), Table());
        ChannelRows earlier = DefaultRows(3072);
        earlier[0].relNam = "Earlier site";
        ChannelRows table = DefaultRows(units * 384);
        QStringList names{"Home HR", "O'Brien, \"Z\"", "Longer than sixteen characters",
                          "Weiche Ü 12"};
        for (int channel = 5; channel <= 16; ++channel)
            names << QString("R%1").arg(channel);
        // The first and third groups share a column set, so a reused statement must take new
        // values.
        const QString contacts = "FBFBBFBFFBFBBBBB";
        for (int c = 0; c < 16; ++c) {
            table[c].relNam = names[c];
            table[c].back = contacts[c] == u'B';
        }
        const QStringList connections = QSqlDatabase::connectionNames();

        const FileResult first = ExportLabelDatabase(earlier, target(engine, file));
        QCOMPARE(LabelExportReport(first, 3072), "3072 channels exported to label database");
        const FileResult second = ExportLabelDatabase(table, target(engine, file));
        QVERIFY2(second.ok, qPrintable(second.error));
        QCOMPARE(QSqlDatabase::connectionNames(), connections);
        QCOMPARE(readTable(file), expectedRows(units * 384, names, contacts));
        QCOMPARE(files(), QStringList{fileName});
    }

    void failureKeepsTheTableAsItWas_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("setup"); // statements making the file; none: no file
        QTest::addColumn<QString>("description");
        addEngineRows([](const QString& engine) {
            const QStringList refusing{
                tableStatement(),
                "INSERT INTO TblForLabel (chNo1, relNam1, fOrB1) VALUES ('X1', 'old row', 'B')",
                "CREATE TRIGGER refuse BEFORE INSERT ON TblForLabel WHEN NEW.relNam3 = 'REFUSED' "
                "BEGIN SELECT RAISE(ABORT, 'relay name refused'); END"};
            const QByteArray name = engine.toLatin1();
            QTest::addRow("%s, missing file", name.data())
                << engine << QStringList() << "does not exist";
            QTest::addRow("%s, missing table", name.data())
                << engine << QStringList{"CREATE TABLE Other (a TEXT)"} << "TblForLabel";
            QTest::addRow("%s, value refused halfway", name.data())
                << engine << refusing << "relay name refused";
        });
    }

    void failureKeepsTheTableAsItWas()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, setup);
        QFETCH(QString, description);
        const Database file = database("loggerlabels.db");
        if (!setup.isEmpty())
            QCOMPARE(sql(file, setup), Table());
        const QByteArray bytesBefore = readFile(file.path);
        const QStringList filesBefore = files();
        ChannelRows table = DefaultRows(3072);
        table[1538].relNam = "REFUSED"; // third of its group, half way
        const QStringList connections = QSqlDatabase::connectionNames();

        const FileResult result = ExportLabelDatabase(table, target(engine, file));
        QVERIFY(!result);
        const QString text = LabelExportReport(result, 3072);
        QVERIFY2(text.startsWith("Error exporting to labels database\r\n") &&
                     text.contains(description),
                 qPrintable(text));
        QCOMPARE(QSqlDatabase::connectionNames(), connections);
        QCOMPARE(files(), filesBefore);             // no file created, no journal left
        QCOMPARE(readFile(file.path), bytesBefore); // the old rows, byte for byte
    }
};

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
