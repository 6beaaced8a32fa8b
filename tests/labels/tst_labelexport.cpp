#include "document/ChannelTableModel.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"
#include "support/SiteDump.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

using Table = QList<QStringList>; // chNo1..4, relNam1..4, fOrB1..4 of every row, in order

// Direct SQLite, or ODBC whose named driver is missing so that the SQLite fallback is used.
const QString kSqlite = "sqlite";
const QString kOdbc = "odbc";

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

// The SQLite ODBC driver by its library, so that nothing has to be registered.
QString sqliteOdbcDriver()
{
    static const QString found = [] {
        QDirIterator it("/usr", {"libsqlite3odbc.so"}, QDir::Files, QDirIterator::Subdirectories);
        return it.hasNext() ? it.next() : QString();
    }();
    return found;
}

// Skips when the engine cannot run here. The table is read with Qt's SQLite driver, which Qt
// for Windows lacks (tests/platform tests the Windows export through ODBC).
bool unavailable(const QString& engine)
{
    QString missing;
    if (!QSqlDatabase::isDriverAvailable("QSQLITE"))
        missing = "Qt's SQLite driver (QSQLITE)";
    else if (engine == kOdbc && !QSqlDatabase::isDriverAvailable("QODBC"))
        missing = "Qt's ODBC driver (QODBC)";
    else if (engine == kOdbc && sqliteOdbcDriver().isEmpty())
        missing = "the SQLite ODBC driver (libsqlite3odbc.so)";
    if (!missing.isEmpty())
        QTest::qSkip(qPrintable(missing + " is not installed"), __FILE__, __LINE__);
    return !missing.isEmpty();
}

LabelDatabase target(const QString& engine, const QString& file)
{
    if (engine == kSqlite)
        return {"QSQLITE", file, QString()};
    return {"QODBC", QString("DRIVER={ZR415 No Such Driver};Database=%1").arg(file),
            sqliteOdbcDriver()};
}

// The rows of the last statement, and a row for each statement that failed.
Table sql(const QString& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    Table rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
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

Table readTable(const QString& file)
{
    return sql(file, {"SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, relNam3, relNam4, "
                      "fOrB1, fOrB2, fOrB3, fOrB4 FROM TblForLabel ORDER BY rowid"});
}

const QString kTableScript = QString::fromUtf8(readFile(ZR415_LABELS_TABLE_SQL));

} // namespace

class TestLabelExport : public QObject
{
    Q_OBJECT

    QString at(const QString& name) const { return dir_->filePath(name); }
    QStringList files() const { return QDir(dir_->path()).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void argumentNamesTheDatabase()
    {
        QCOMPARE(LabelDatabase::fromArgument("/tmp/DSN=x.db").driver, "QSQLITE");
        // A braced value may hold the separator; the fallback replaces only the driver.
        LabelDatabase odbc = LabelDatabase::fromArgument("DRIVER={A};DBQ={C:\\x;y\\l.mdb};PWD=");
        QCOMPARE(odbc.driver, "QODBC");
        odbc.fallbackDriver = "B";
        QCOMPARE(odbc.databaseFile(), "C:\\x;y\\l.mdb");
        QCOMPARE(odbc.fallbackConnection(), "DRIVER={B};DBQ={C:\\x;y\\l.mdb};PWD=");
    }

    void exportReplacesTheTable_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("fileName");
        // The SQLite file is opened through a file: URI, which must not read these as its syntax.
        QTest::newRow("sqlite, eight units, URI characters in the name")
            << kSqlite << 8 << "logger #b?mode=ro 100%20 Ä.db";
        QTest::newRow("odbc, one unit") << kOdbc << 1 << "loggerlabels.db";
    }

    // Over the rows of an earlier eight-unit site.
    void exportReplacesTheTable()
    {
        QFETCH(QString, engine);
        QFETCH(int, units);
        QFETCH(QString, fileName);
        if (unavailable(engine))
            return;
        QCOMPARE(sql(at(fileName), {kTableScript}), Table());
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

        const FileResult first = ExportLabelDatabase(earlier, target(engine, at(fileName)));
        QCOMPARE(LabelExportReport(first, 3072), "3072 channels exported to label database");
        const FileResult second = ExportLabelDatabase(table, target(engine, at(fileName)));
        QVERIFY2(second.ok, qPrintable(second.error));
        QCOMPARE(QSqlDatabase::connectionNames(), connections);
        QCOMPARE(readTable(at(fileName)), expectedRows(units * 384, names, contacts));
        QCOMPARE(files(), QStringList{fileName});
    }

    void failureKeepsTheTableAsItWas_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("setup"); // statements making the file; none: no file
        QTest::addColumn<QString>("description");
        const QStringList refusing{
            kTableScript,
            "INSERT INTO TblForLabel (chNo1, relNam1, fOrB1) VALUES ('X1', 'old row', 'B')",
            "CREATE TRIGGER refuse BEFORE INSERT ON TblForLabel WHEN NEW.relNam3 = 'REFUSED' "
            "BEGIN SELECT RAISE(ABORT, 'relay name refused'); END"};
        QTest::newRow("sqlite, missing file") << kSqlite << QStringList() << "does not exist";
        QTest::newRow("sqlite, missing table")
            << kSqlite << QStringList{"CREATE TABLE Other (a TEXT)"} << "TblForLabel";
        QTest::newRow("sqlite, value refused halfway")
            << kSqlite << refusing << "relay name refused";
        QTest::newRow("odbc, value refused halfway") << kOdbc << refusing << "relay name refused";
    }

    void failureKeepsTheTableAsItWas()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, setup);
        QFETCH(QString, description);
        if (unavailable(engine))
            return;
        const QString path = at("loggerlabels.db");
        if (!setup.isEmpty())
            QCOMPARE(sql(path, setup), Table());
        const QByteArray bytesBefore = readFile(path);
        const QStringList filesBefore = files();
        ChannelRows table = DefaultRows(3072);
        table[1538].relNam = "REFUSED"; // third of its group, half way
        const QStringList connections = QSqlDatabase::connectionNames();

        const FileResult result = ExportLabelDatabase(table, target(engine, path));
        QVERIFY(!result);
        const QString text = LabelExportReport(result, 3072);
        QVERIFY2(text.startsWith("Error exporting to labels database\r\n") &&
                     text.contains(description),
                 qPrintable(text));
        QCOMPARE(QSqlDatabase::connectionNames(), connections);
        QCOMPARE(files(), filesBefore);        // no file created, no journal left
        QCOMPARE(readFile(path), bytesBefore); // the old rows, byte for byte
    }
};

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
