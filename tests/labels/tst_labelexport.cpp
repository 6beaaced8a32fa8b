// The label export through ODBC as the editor reaches Access on Windows: the Access driver tried
// first and, missing here, giving way to its fallback, for which the SQLite ODBC driver
// ("SQLite3", Debian's libsqliteodbc) stands in. Under Wine that ODBC is the host's unixODBC,
// whose driver opens host paths: the files lie in the build tree, named on both sides. The
// export's rows and failures are golden cases of zr415-convert (convert/labels-*).
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

LabelDatabase accessWithStandIn(const Database& file)
{
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
    // Emptied, not removed: Windows keeps the current folder.
    void init()
    {
        for (const QString& name : files())
            QVERIFY(QFile::remove(ZR415_WORK_DIR "/" + name));
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

    // Over the rows of an earlier site, and no connection left open; names travel through
    // ODBC's wide strings unchanged.
    void accessFallsBackToTheStandIn()
    {
        if (!QSqlDatabase::isDriverAvailable("QODBC") || !standInAvailable())
            QSKIP("ODBC or its SQLite driver (SQLite3) is missing: the Access path is not tested");
        const Database file = database("loggerlabels.db");
        QCOMPARE(sql(file, {tableStatement()}), Table());
        ChannelRows earlier = DefaultRows(768);
        earlier[0].relNam = "Earlier site";
        ChannelRows table = DefaultRows(384);
        const QStringList names{"O'Brien, \"Z\"", "Weiche Ü 12", "R3", "R4", "R5"};
        const QString contacts = "FBFBB";
        for (int c = 0; c < names.size(); ++c) {
            table[c].relNam = names[c];
            table[c].back = contacts[c] == u'B';
        }
        const QStringList connections = QSqlDatabase::connectionNames();
        QVERIFY(ExportLabelDatabase(earlier, accessWithStandIn(file)).ok);
        const FileResult result = ExportLabelDatabase(table, accessWithStandIn(file));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(QSqlDatabase::connectionNames(), connections);
        QCOMPARE(readTable(file), expectedRows(384, names, contacts));
        QCOMPARE(files(), QStringList{"loggerlabels.db"});
    }
};

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
