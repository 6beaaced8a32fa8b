#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <optional>

namespace {

using Table = QList<QStringList>; // chNo1..4, relNam1..4, fOrB1..4 of every row, in order

// How the export reaches the SQLite file: directly, or through the SQLite ODBC driver named
// first, or named only as the fallback of a driver that is not installed, or not named at all.
const QString kSqlite = "sqlite";
const QString kOdbc = "odbc";
const QString kOdbcFallback = "odbc, fallback driver";
const QString kOdbcMissing = "odbc, missing driver";
const QString kFailureLine = "Error exporting to labels database\r\n";

// Unit letter, card letter and two-digit position, worked out here rather than by the project.
QString labelOf(int channel)
{
    const int index = channel - 1;
    return QChar(u'A' + index / 384) + QString(QChar(u'A' + index % 384 / 48)) +
           QString("%1").arg(index % 48 + 1, 2, 10, QChar(u'0'));
}

// The rows an export of `channels` must leave: the given names and contacts (B or F) from the
// first channel on, "Spare" names on front contacts after them.
Table expectedRows(int channels, const QStringList& names = {}, const QString& contacts = {})
{
    Table rows;
    for (int first = 1; first <= channels; first += 4) {
        QStringList labels, relays, sides;
        for (int c = first; c < first + 4; ++c) {
            labels << labelOf(c);
            relays << names.value(c - 1, "Spare " + labelOf(c));
            sides << QString(c <= contacts.size() ? contacts[c - 1] : QChar(u'F'));
        }
        rows << labels + relays + sides;
    }
    return rows;
}

// The SQLite ODBC driver by its library, so that nothing has to be registered.
QString sqliteOdbcDriver()
{
    QStringList candidates{"/usr/lib/odbc/libsqlite3odbc.so", "/usr/lib64/libsqlite3odbc.so"};
    for (const QString& arch : QDir("/usr/lib").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << "/usr/lib/" + arch + "/odbc/libsqlite3odbc.so";
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

// Skips the test, and says why, when the engine cannot run here.
bool unavailable(const QString& engine)
{
    QString why;
    if (!QSqlDatabase::isDriverAvailable(engine == kSqlite ? "QSQLITE" : "QODBC"))
        why = "the Qt SQL plugin for " + engine + " is not installed";
    else if (engine != kSqlite && sqliteOdbcDriver().isEmpty())
        why = "the SQLite ODBC driver (Debian libsqliteodbc) is not installed";
    if (!why.isEmpty())
        QTest::qSkip(qPrintable(why), __FILE__, __LINE__);
    return !why.isEmpty();
}

QString odbcConnection(const QString& driver, const QString& file)
{
    return QString("DRIVER={%1};Database=%2").arg(driver, file);
}

LabelDatabase target(const QString& engine, const QString& file)
{
    if (engine == kSqlite)
        return {"QSQLITE", file, QString()};
    if (engine == kOdbc)
        return {"QODBC", odbcConnection(sqliteOdbcDriver(), file), QString()};
    return {"QODBC", odbcConnection("ZR415 No Such Driver", file),
            engine == kOdbcFallback ? sqliteOdbcDriver() : QString()};
}

// Runs the statements on the file through a connection of the test's own: the rows of the
// last one, or nothing when one failed.
std::optional<Table> sql(const QString& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    std::optional<Table> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        bool ok = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements)
            ok = ok && query.exec(statement);
        if (!ok)
            qWarning() << statements << db.lastError().text() << query.lastError().text();
        for (rows = ok ? std::optional<Table>(Table()) : std::nullopt; ok && query.next();) {
            rows->append(QStringList());
            for (int f = 0; f < query.record().count(); ++f)
                rows->last() << query.value(f).toString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

Table readTable(const QString& file)
{
    return sql(file, {"SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, relNam3, relNam4, "
                      "fOrB1, fOrB2, fOrB3, fOrB4 FROM TblForLabel ORDER BY rowid"})
        .value_or(Table());
}

bool createLabelsDatabase(const QString& file, const QStringList& extra = {})
{
    const QString script = QString::fromUtf8(readFile(ZR415_LABELS_TABLE_SQL));
    return sql(file, QStringList{script} + extra).has_value();
}

enum class Failure { MissingFile, MissingTable, RefusedValue, MissingDriver };

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestLabelExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void platformDatabases();
    void argumentNamesTheDatabase_data();
    void argumentNamesTheDatabase();
    void exportReplacesTheTable_data();
    void exportReplacesTheTable();
    void failureKeepsTheTableAsItWas_data();
    void failureKeepsTheTableAsItWas();
    void converterExportsLabels_data();
    void converterExportsLabels();

private:
    QString at(const QString& name) const { return dir_->filePath(name); }
    QStringList files() const { return QDir(dir_->path()).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestLabelExport::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestLabelExport::platformDatabases()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName("ZR415Config");
    const LabelDatabase windows = LabelDatabase::forPlatform(LabelDatabase::Platform::Windows);
    QCOMPARE(windows.driver, "QODBC");
    QCOMPARE(windows.connection,
             "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=c:\\t\\db\\loggerlabels.mdb");
    QCOMPARE(windows.fallbackConnection(),
             "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=c:\\t\\db\\loggerlabels.mdb");
    const LabelDatabase other = LabelDatabase::forPlatform(LabelDatabase::Platform::Other);
    QCOMPARE(other.driver, "QSQLITE");
    QVERIFY2(other.connection.endsWith("/ZR415Config/loggerlabels.db"),
             qPrintable(other.connection));
#ifdef Q_OS_WIN
    QCOMPARE(LabelDatabase::editorDefault().driver, "QODBC");
#else
    QCOMPARE(LabelDatabase::editorDefault().connection, other.connection);
#endif
}

void TestLabelExport::argumentNamesTheDatabase_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fallbackDriver");
    QTest::addColumn<QString>("fallbackConnection");
    const auto add = [](const char* tag, const char* argument, const char* driver, const char* file,
                        const char* fallbackDriver, const char* fallback) {
        QTest::newRow(tag) << QString(argument) << QString(driver) << QString(file)
                           << QString(fallbackDriver) << QString(fallback);
    };
    add("keys in any case", "driver={A};dbq=C:\\a b\\l.mdb;", "QODBC", "C:\\a b\\l.mdb",
        "B (*.mdb, *.accdb)", "DRIVER={B (*.mdb, *.accdb)};dbq=C:\\a b\\l.mdb");
    add("braced file with semicolon", "DRIVER={A};DBQ={C:\\x;y\\l.mdb};PWD=", "QODBC",
        "C:\\x;y\\l.mdb", "B", "DRIVER={B};DBQ={C:\\x;y\\l.mdb};PWD=");
    add("spaces around the key", "DRIVER={A}; Database = /d/l.db", "QODBC", "/d/l.db", "", "");
    add("lower-case dsn names no file", "dsn=labels", "QODBC", "", "B", "DRIVER={B};dsn=labels");
    add("key later in a path", "/tmp/DSN=x.db", "QSQLITE", "/tmp/DSN=x.db", "", "");
}

void TestLabelExport::argumentNamesTheDatabase()
{
    QFETCH(QString, argument);
    QFETCH(QString, fallbackDriver);
    LabelDatabase database = LabelDatabase::fromArgument(argument);
    QTEST(database.driver, "driver");
    QCOMPARE(database.connection, argument);
    QVERIFY(database.fallbackDriver.isEmpty());
    database.fallbackDriver = fallbackDriver;
    QTEST(database.databaseFile(), "file");
    QTEST(database.fallbackConnection(), "fallbackConnection");
}

void TestLabelExport::exportReplacesTheTable_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("fileName");
    // The SQLite file is opened through a file: URI, which must not read these as its syntax.
    QTest::newRow("sqlite, eight units, URI characters in the name")
        << kSqlite << 8 << "logger #b?mode=ro 100%20 Ä.db";
    QTest::newRow("odbc through the fallback driver, one unit")
        << kOdbcFallback << 1 << "loggerlabels.db";
}

// The site is exported over the rows of an earlier eight-unit site.
void TestLabelExport::exportReplacesTheTable()
{
    QFETCH(QString, engine);
    QFETCH(int, units);
    QFETCH(QString, fileName);
    if (unavailable(engine))
        return;
    QVERIFY(createLabelsDatabase(at(fileName)));
    ChannelTableModel earlier;
    QVERIFY(earlier.SetChannelCount(3072, ChannelTableModel::FillAllRows));
    earlier.setRelayName(0, "Earlier site");
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(units * 384, ChannelTableModel::FillAllRows));
    QStringList names{"Home HR", "O'Brien, \"Z\"", "Longer than sixteen characters", "Weiche Ü 12"};
    for (int channel = 5; channel <= 16; ++channel)
        names << QString("R%1").arg(channel);
    // The first and third groups share a column set, so a reused statement must take new values.
    const QString contacts = "FBFBBFBFFBFBBBBB";
    for (int c = 0; c < 16; ++c) {
        table.setRelayName(c, names[c]);
        table.setBackContact(c, contacts[c] == u'B');
    }
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(ExportLabelDatabase(earlier, target(engine, at(fileName))));
    QVERIFY(ExportLabelDatabase(table, target(engine, at(fileName))));

    QCOMPARE(dialogs.texts(),
             QStringList({"3072 channels exported to label database",
                          QString("%1 channels exported to label database").arg(units * 384)}));
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    QCOMPARE(readTable(at(fileName)), expectedRows(units * 384, names, contacts));
    QCOMPARE(files(), QStringList{fileName});
}

void TestLabelExport::failureKeepsTheTableAsItWas_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("description");
    QTest::newRow("sqlite, missing file") << kSqlite << Failure::MissingFile << "does not exist";
    QTest::newRow("sqlite, missing table") << kSqlite << Failure::MissingTable << "TblForLabel";
    for (const QString& engine : {kSqlite, kOdbc})
        QTest::addRow("%s, value refused halfway", qPrintable(engine))
            << engine << Failure::RefusedValue << "relay name refused";
    QTest::newRow("odbc, missing driver and no fallback")
        << kOdbcMissing << Failure::MissingDriver << "Unable to connect";
}

void TestLabelExport::failureKeepsTheTableAsItWas()
{
    QFETCH(QString, engine);
    QFETCH(Failure, failure);
    QFETCH(QString, description);
    if (unavailable(engine))
        return;
    const QString path = at("loggerlabels.db");
    const Table before{{"X1", "X2", "X3", "X4", "old", "rows", "stay", "here", "B", "F", "F", "B"}};
    if (failure == Failure::MissingTable)
        QVERIFY(sql(path, {"CREATE TABLE Other (a TEXT)"}));
    if (failure == Failure::RefusedValue || failure == Failure::MissingDriver) {
        QVERIFY(createLabelsDatabase(
            path, {"INSERT INTO TblForLabel (chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, "
                   "relNam3, relNam4, fOrB1, fOrB4) "
                   "VALUES ('X1', 'X2', 'X3', 'X4', 'old', 'rows', 'stay', 'here', 'B', 'B')",
                   "CREATE TRIGGER refuse BEFORE INSERT ON TblForLabel WHEN NEW.relNam3 = "
                   "'REFUSED' BEGIN SELECT RAISE(ABORT, 'relay name refused'); END"}));
    }
    const QByteArray bytesBefore = readFile(path);
    const QStringList filesBefore = files();
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(3072, ChannelTableModel::FillAllRows));
    table.setRelayName(1538, "REFUSED"); // third of its group, half way
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(!ExportLabelDatabase(table, target(engine, path)));

    QCOMPARE(dialogs.texts().size(), 1);
    const QString text = dialogs.texts().first();
    QVERIFY2(text.startsWith(kFailureLine) && text.contains(description), qPrintable(text));
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    QCOMPARE(files(), filesBefore); // no file created, no journal left
    if (failure == Failure::MissingFile)
        QCOMPARE(text,
                 kFailureLine + "The labels database " + QDir::toNativeSeparators(path) +
                     " does not exist. Create it with its table TblForLabel before exporting.");
    else if (failure != Failure::MissingTable)
        QCOMPARE(readTable(path), before);
    else
        QCOMPARE(readFile(path), bytesBefore); // the table was not created
}

void TestLabelExport::converterExportsLabels_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("arguments"); // DB stands for the database of the engine
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errors"); // how standard error begins
    const QString exported = "3 channels imported\n\n384 channels exported to label database\n\n";
    const QStringList labels{"site.csv", "--labels", "DB"};
    QTest::newRow("sqlite file") << kSqlite << labels << 0 << exported;
    QTest::newRow("odbc string") << kOdbc << labels << 0 << exported;
    QTest::newRow("unreadable input") << kSqlite << QStringList{"absent.csv", "--labels", "DB"} << 1
                                      << "Error occurred while loading.\n";
    QTest::newRow("no database named") << kSqlite << QStringList{"site.csv", "--labels"} << 2
                                       << "Expected INPUT --labels DB.\n\nUsage:\n";
}

void TestLabelExport::converterExportsLabels()
{
    QFETCH(QString, engine);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, errors);
    if (unavailable(engine))
        return;
    const QString path = at("loggerlabels.db");
    QVERIFY(createLabelsDatabase(path, {"INSERT INTO TblForLabel (chNo1) VALUES ('X1')"}));
    const Table before = readTable(path);
    writeFile(at("site.csv"), "AA01,Home HR,Back\r\nAA02,Distant HR,Front\r\nAA03,Spare,Front\r\n");
    const QStringList filesBefore = files();
    arguments.replaceInStrings("DB", target(engine, path).connection);

    QProcess converter;
    converter.setWorkingDirectory(dir_->path());
    converter.start(ZR415_CONVERT_EXE, arguments);
    QVERIFY(converter.waitForFinished(60000));
    const QString shown = QString::fromLocal8Bit(converter.readAllStandardError());
    QVERIFY2(converter.exitStatus() == QProcess::NormalExit && converter.exitCode() == exitCode,
             qPrintable(shown));
    QVERIFY2(shown.startsWith(errors), qPrintable(shown));
    QCOMPARE(files(), filesBefore);
    QCOMPARE(readTable(path),
             exitCode != 0 ? before : expectedRows(384, {"Home HR", "Distant HR"}, "BF"));
}

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
