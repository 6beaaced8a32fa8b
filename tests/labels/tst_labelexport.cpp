// The label export through ODBC as the editor reaches Access on Windows: the Access driver tried
// first and, missing here, giving way to its fallback, for which the SQLite ODBC driver
// ("SQLite3", Debian's libsqliteodbc) stands in. Under Wine that ODBC is the host's unixODBC,
// whose driver opens host paths: the files lie in the build tree, named on both sides. The
// export's rows and failures are golden cases of zr415-convert (convert/labels-*).
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"
#include "support/GoldenFiles.h"
#include "support/SiteDump.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTest>

namespace {

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
QString expectedRows(int channels, const QStringList& names = {}, const QString& contacts = {})
{
    QStringList rows;
    for (int first = 1; first <= channels; first += 4) {
        QStringList labels, relays, sides;
        for (int c = first; c < first + 4; ++c) {
            labels << LabelOf(c);
            relays << names.value(c - 1, "Spare " + LabelOf(c));
            sides << QString(c <= contacts.size() ? contacts[c - 1] : QChar(u'F'));
        }
        rows << (labels + relays + sides).join(" | ");
    }
    return rows.join('\n');
}

LabelDatabase accessWithStandIn(const Database& file)
{
    return {"QODBC", "DRIVER={Microsoft Access Driver (*.mdb)};Database=" + file.host, kStandIn};
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
        if (!QSqlDatabase::isDriverAvailable("QODBC") || !Golden::odbcSqliteAvailable())
            QSKIP("ODBC or its SQLite driver (SQLite3) is missing: the Access path is not tested");
        const Database file = database("loggerlabels.db");
        QCOMPARE(Golden::sqlite(file.host, Golden::labelsTableStatement()), QString());
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
        QCOMPARE(Golden::labelsTable(file.host), expectedRows(384, names, contacts));
        QCOMPARE(files(), QStringList{"loggerlabels.db"});
    }
};

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
