#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

using Table = QList<QStringList>; // chNo1..4, relNam1..4, fOrB1..4 of every row, in order

const QString kSqlite = QStringLiteral("sqlite");
const QString kOdbc = QStringLiteral("odbc");
const QString kFailureLine = QStringLiteral("Error exporting to labels database\r\n");

// Unit letter, card letter and two-digit position, worked out here rather than by the project.
QString labelOf(int channel)
{
    const int index = channel - 1;
    return QChar(u'A' + index / 384) + QString(QChar(u'A' + index % 384 / 48)) +
           QStringLiteral("%1").arg(index % 48 + 1, 2, 10, QChar(u'0'));
}

// The SQLite ODBC driver by its library, so that nothing has to be registered.
QString sqliteOdbcDriver()
{
    QStringList candidates{QStringLiteral("/usr/lib/odbc/libsqlite3odbc.so"),
                           QStringLiteral("/usr/lib64/libsqlite3odbc.so")};
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString& arch : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << lib.filePath(arch + QStringLiteral("/odbc/libsqlite3odbc.so"));
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

// Why the engine cannot run here; empty when it can.
QString unavailable(const QString& engine)
{
    if (!QSqlDatabase::isDriverAvailable(engine == kOdbc ? QStringLiteral("QODBC")
                                                         : QStringLiteral("QSQLITE")))
        return QStringLiteral("the Qt SQL plugin for %1 is not installed").arg(engine);
    if (engine == kOdbc && sqliteOdbcDriver().isEmpty())
        return QStringLiteral("the SQLite ODBC driver (Debian libsqliteodbc) is not installed");
    return QString();
}

#define SKIP_UNLESS_AVAILABLE(engine)                                                              \
    do {                                                                                           \
        const QString why = unavailable(engine);                                                   \
        if (!why.isEmpty())                                                                        \
            QSKIP(qPrintable(why));                                                                \
    } while (false)

QString odbcConnection(const QString& driver, const QString& file)
{
    return QStringLiteral("DRIVER={%1};Database=%2").arg(driver, file);
}

LabelDatabase target(const QString& engine, const QString& file)
{
    if (engine == kOdbc)
        return {QStringLiteral("QODBC"), odbcConnection(sqliteOdbcDriver(), file), QString()};
    return {QStringLiteral("QSQLITE"), file, QString()};
}

// Runs the statements on the file through a connection of the test's own; the rows of the
// last one are its result.
Table query(const QString& file, const QStringList& statements, bool* ok = nullptr)
{
    const QString name = QUuid::createUuid().toString();
    Table rows;
    bool done = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        done = db.open();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            if (done && !query.exec(statement)) {
                qWarning() << statement << query.lastError().text();
                done = false;
            }
            for (rows.clear(); query.next();) {
                QStringList fields;
                for (int f = 0; f < query.record().count(); ++f)
                    fields << query.value(f).toString();
                rows << fields;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (ok)
        *ok = done;
    return rows;
}

bool run(const QString& file, const QStringList& statements)
{
    bool ok = false;
    query(file, statements, &ok);
    return ok;
}

Table readTable(const QString& file)
{
    return query(file, {QStringLiteral("SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, "
                                       "relNam3, relNam4, fOrB1, fOrB2, fOrB3, fOrB4 "
                                       "FROM TblForLabel ORDER BY rowid")});
}

// The statements of the table's script, comment lines dropped.
QStringList tableScript()
{
    QFile script(QStringLiteral(ZR415_LABELS_TABLE_SQL));
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList code = QString::fromUtf8(script.readAll()).split(u'\n');
    code.removeIf([](const QString& line) { return line.trimmed().startsWith(u"--"); });
    QStringList statements = code.join(u'\n').split(u';', Qt::SkipEmptyParts);
    statements.removeIf([](const QString& s) { return s.trimmed().isEmpty(); });
    return statements;
}

bool createLabelsDatabase(const QString& file, const QStringList& extra = {})
{
    const QStringList script = tableScript();
    return !script.isEmpty() && run(file, script + extra);
}

// Four channels from the first: their labels, the given names or "Spare " names, contacts.
QStringList group(int first, QStringList names = {}, const QString& contacts = "FFFF")
{
    QStringList labels;
    for (int k = 0; k < 4; ++k)
        labels << labelOf(first + k);
    if (names.isEmpty()) {
        for (const QString& label : labels)
            names << QStringLiteral("Spare ") + label;
    }
    QStringList fields = labels + names;
    for (const QChar c : contacts)
        fields << QString(c);
    return fields;
}

struct ConverterRun
{
    int exitCode = -1;
    QString errors;
};

ConverterRun convert(const QString& workingDirectory, const QStringList& arguments)
{
    QProcess converter;
    converter.setWorkingDirectory(workingDirectory);
    converter.start(QStringLiteral(ZR415_CONVERT_EXE), arguments);
    if (!converter.waitForFinished(60000) || converter.exitStatus() != QProcess::NormalExit)
        return {};
    return {converter.exitCode(), QString::fromLocal8Bit(converter.readAllStandardError())};
}

enum class Failure { MissingFile, MissingTable, RefusedValue };

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestLabelExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void platformDatabases();
    void odbcStringParts_data();
    void odbcStringParts();
    void argumentChoosesTheDriver_data();
    void argumentChoosesTheDriver();

    void exportReplacesTheTable_data();
    void exportReplacesTheTable();
    void failureKeepsTheTableAsItWas_data();
    void failureKeepsTheTableAsItWas();
    void odbcFallsBackToTheSecondDriver();
    void sqliteFileNamesNeedNoEscaping_data();
    void sqliteFileNamesNeedNoEscaping();

    void converterExportsLabels_data();
    void converterExportsLabels();

private:
    QString databasePath() const { return dir_->filePath(QStringLiteral("loggerlabels.db")); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestLabelExport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QVERIFY2(!tableScript().isEmpty(), "the table script could not be read");
}

void TestLabelExport::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestLabelExport::platformDatabases()
{
    const LabelDatabase windows = LabelDatabase::forPlatform(LabelDatabase::Platform::Windows);
    QCOMPARE(windows.driver, QStringLiteral("QODBC"));
    QCOMPARE(
        windows.connection,
        QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=c:\\t\\db\\loggerlabels.mdb"));
    QCOMPARE(windows.databaseFile(), QStringLiteral("c:\\t\\db\\loggerlabels.mdb"));
    QCOMPARE(windows.fallbackConnection(),
             QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};"
                            "DBQ=c:\\t\\db\\loggerlabels.mdb"));

    const LabelDatabase other = LabelDatabase::forPlatform(LabelDatabase::Platform::Other);
    QCOMPARE(other.driver, QStringLiteral("QSQLITE"));
    QVERIFY2(other.connection.endsWith(QStringLiteral("/ZR415Config/loggerlabels.db")),
             qPrintable(other.connection));
    QCOMPARE(other.databaseFile(), other.connection);
    QVERIFY(other.fallbackConnection().isEmpty());
#ifdef Q_OS_WIN
    QCOMPARE(LabelDatabase::editorDefault().driver, QStringLiteral("QODBC"));
#else
    QCOMPARE(LabelDatabase::editorDefault().connection, other.connection);
#endif
}

void TestLabelExport::odbcStringParts_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fallbackDriver");
    QTest::addColumn<QString>("fallbackConnection");
    const auto add = [](const char* tag, const char* connection, const char* file,
                        const char* driver, const char* fallback) {
        QTest::newRow(tag) << QString::fromUtf8(connection) << QString::fromUtf8(file)
                           << QString::fromUtf8(driver) << QString::fromUtf8(fallback);
    };
    add("sqlite driver", "DRIVER={SQLite3};Database=/tmp/l.db", "/tmp/l.db", "X",
        "DRIVER={X};Database=/tmp/l.db");
    add("keys in any case", "driver={A};dbq=C:\\a b\\l.mdb;", "C:\\a b\\l.mdb",
        "B (*.mdb, *.accdb)", "DRIVER={B (*.mdb, *.accdb)};dbq=C:\\a b\\l.mdb");
    add("braced file with semicolon", "DRIVER={A};DBQ={C:\\x;y\\l.mdb};PWD=", "C:\\x;y\\l.mdb", "B",
        "DRIVER={B};DBQ={C:\\x;y\\l.mdb};PWD=");
    add("spaces around the key", "DRIVER={A}; Database = /d/l.db", "/d/l.db", "", "");
    add("dsn names no file", "DSN=labels", "", "B", "DRIVER={B};DSN=labels");
}

void TestLabelExport::odbcStringParts()
{
    QFETCH(QString, connection);
    QFETCH(QString, fallbackDriver);
    const LabelDatabase database{QStringLiteral("QODBC"), connection, fallbackDriver};
    QTEST(database.databaseFile(), "file");
    QTEST(database.fallbackConnection(), "fallbackConnection");
}

void TestLabelExport::argumentChoosesTheDriver_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("driver");
    const QString odbc = QStringLiteral("QODBC");
    QTest::newRow("file") << QStringLiteral("labels.db") << QStringLiteral("QSQLITE");
    QTest::newRow("driver string") << QStringLiteral("DRIVER={SQLite3};Database=l.db") << odbc;
    QTest::newRow("lower-case dsn") << QStringLiteral("dsn=labels") << odbc;
    QTest::newRow("key later in a path")
        << QStringLiteral("/tmp/DSN=x.db") << QStringLiteral("QSQLITE");
}

void TestLabelExport::argumentChoosesTheDriver()
{
    QFETCH(QString, argument);
    const LabelDatabase database = LabelDatabase::fromArgument(argument);
    QTEST(database.driver, "driver");
    QCOMPARE(database.connection, argument);
    QVERIFY(database.fallbackDriver.isEmpty());
}

void TestLabelExport::exportReplacesTheTable_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("units");
    QTest::newRow("sqlite eight units") << kSqlite << 8;
    QTest::newRow("odbc one unit") << kOdbc << 1;
}

// The site is exported over the rows of an earlier eight-unit site, and then once more.
void TestLabelExport::exportReplacesTheTable()
{
    QFETCH(QString, engine);
    QFETCH(int, units);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    const LabelDatabase database = target(engine, databasePath());
    ChannelTableModel earlier;
    QVERIFY(earlier.SetChannelCount(3072, ChannelTableModel::FillAllRows));
    earlier.setRelayName(0, QStringLiteral("Earlier site"));
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(units * 384, ChannelTableModel::FillAllRows));
    const QStringList names{QStringLiteral("Home HR"), QStringLiteral("O'Brien, \"Z\""),
                            QStringLiteral("Longer than sixteen characters"),
                            QStringLiteral("Weiche Ü 12")};
    // Groups 0 and 2 share a column set, so a reused statement must take new values.
    const QStringList contacts{"FBFB", "BFBF", "FBFB", "BBBB"};
    for (int channel = 0; channel < 16; ++channel) {
        table.setRelayName(channel,
                           channel < 4 ? names[channel] : QStringLiteral("R%1").arg(channel + 1));
        table.setBackContact(channel, contacts[channel / 4][channel % 4] == u'B');
    }
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(ExportLabelDatabase(earlier, database));
    QVERIFY(ExportLabelDatabase(table, database));
    const Table once = readTable(databasePath());
    dialogs.clear();
    QVERIFY(ExportLabelDatabase(table, database));

    QCOMPARE(
        dialogs.texts(),
        QStringList{QStringLiteral("%1 channels exported to label database").arg(units * 384)});
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    const Table rows = readTable(databasePath());
    QCOMPARE(rows, once);
    QCOMPARE(rows.size(), units * 96);
    QCOMPARE(rows[0], group(1, names, contacts[0]));
    for (int g = 1; g < 4; ++g) {
        const int c = 4 * g + 1;
        QCOMPARE(rows[g],
                 group(c,
                       {QStringLiteral("R%1").arg(c), QStringLiteral("R%1").arg(c + 1),
                        QStringLiteral("R%1").arg(c + 2), QStringLiteral("R%1").arg(c + 3)},
                       contacts[g]));
    }
    for (int g = 4; g < rows.size(); ++g)
        QCOMPARE(rows[g], group(4 * g + 1));
    QCOMPARE(rows.last()[3], QString(QChar(u'A' + units - 1)) + QStringLiteral("H48"));
}

void TestLabelExport::failureKeepsTheTableAsItWas_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("description");
    QTest::newRow("sqlite missing file")
        << kSqlite << Failure::MissingFile << QStringLiteral("does not exist");
    QTest::newRow("sqlite missing table")
        << kSqlite << Failure::MissingTable << QStringLiteral("TblForLabel");
    for (const QString& engine : {kSqlite, kOdbc})
        QTest::addRow("%s refused value halfway", qPrintable(engine))
            << engine << Failure::RefusedValue << QStringLiteral("relay name refused");
}

void TestLabelExport::failureKeepsTheTableAsItWas()
{
    QFETCH(QString, engine);
    QFETCH(Failure, failure);
    QFETCH(QString, description);
    SKIP_UNLESS_AVAILABLE(engine);
    const Table before = {
        {"X1", "X2", "X3", "X4", "old", "rows", "stay", "here", "B", "F", "F", "B"}};
    if (failure == Failure::MissingTable) {
        QVERIFY(run(databasePath(), {QStringLiteral("CREATE TABLE Other (a TEXT)")}));
    } else if (failure == Failure::RefusedValue) {
        QVERIFY(createLabelsDatabase(
            databasePath(),
            {QStringLiteral("INSERT INTO TblForLabel (chNo1, chNo2, chNo3, chNo4, relNam1, "
                            "relNam2, relNam3, relNam4, fOrB1, fOrB4) VALUES ('X1', 'X2', 'X3', "
                            "'X4', 'old', 'rows', 'stay', 'here', 'B', 'B')"),
             QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON TblForLabel "
                            "WHEN NEW.relNam3 = 'REFUSED' "
                            "BEGIN SELECT RAISE(ABORT, 'relay name refused'); END")}));
        QCOMPARE(readTable(databasePath()), before);
    }
    const QByteArray bytesBefore = readFile(databasePath());
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(3072, ChannelTableModel::FillAllRows));
    table.setRelayName(1538, QStringLiteral("REFUSED")); // third of its group, half way
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(!ExportLabelDatabase(table, target(engine, databasePath())));

    QCOMPARE(dialogs.texts().size(), 1);
    const QString text = dialogs.texts().first();
    QVERIFY2(text.startsWith(kFailureLine) && text.contains(description), qPrintable(text));
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    if (failure == Failure::MissingFile) {
        QVERIFY(text.contains(QDir::toNativeSeparators(databasePath())));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    } else if (failure == Failure::RefusedValue) {
        QCOMPARE(readTable(databasePath()), before);
    } else {
        QCOMPARE(readFile(databasePath()), bytesBefore); // the table was not created
    }
}

void TestLabelExport::odbcFallsBackToTheSecondDriver()
{
    SKIP_UNLESS_AVAILABLE(kOdbc);
    QVERIFY(createLabelsDatabase(databasePath()));
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
    const QString missingDriver =
        odbcConnection(QStringLiteral("ZR415 No Such Driver"), databasePath());

    ScriptedDialogs dialogs;
    QVERIFY(!ExportLabelDatabase(table, {QStringLiteral("QODBC"), missingDriver, QString()}));
    const QString failure = dialogs.texts().value(0);
    QVERIFY2(failure.startsWith(kFailureLine) && failure.size() > kFailureLine.size(),
             qPrintable(failure));

    dialogs.clear();
    QVERIFY(
        ExportLabelDatabase(table, {QStringLiteral("QODBC"), missingDriver, sqliteOdbcDriver()}));
    QCOMPARE(dialogs.texts(),
             QStringList{QStringLiteral("384 channels exported to label database")});
    QCOMPARE(readTable(databasePath()).size(), 96);
}

void TestLabelExport::sqliteFileNamesNeedNoEscaping_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("URI syntax") << QStringLiteral("logger #b?mode=ro 100%20.db");
    QTest::newRow("non-ASCII") << QStringLiteral("Stellwerk Ä.db");
}

// The SQLite file is opened through a file: URI, which must not read these characters as syntax.
void TestLabelExport::sqliteFileNamesNeedNoEscaping()
{
    QFETCH(QString, fileName);
    SKIP_UNLESS_AVAILABLE(kSqlite);
    const QString path = dir_->filePath(fileName);
    QVERIFY(createLabelsDatabase(path));
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));

    ScriptedDialogs dialogs;
    QVERIFY2(ExportLabelDatabase(table, target(kSqlite, path)),
             qPrintable(dialogs.texts().value(0)));
    QCOMPARE(readTable(path).size(), 96);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{fileName});
}

void TestLabelExport::converterExportsLabels_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("arguments"); // DB stands for the database of the engine
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString exported = QStringLiteral("384 channels exported to label database\n");
    QTest::newRow("sqlite file") << kSqlite << QStringList{"site.csv", "--labels", "DB"} << 0
                                 << exported;
    QTest::newRow("odbc string") << kOdbc << QStringList{"site.csv", "--labels", "DB"} << 0
                                 << exported;
    QTest::newRow("unreadable input") << kSqlite << QStringList{"absent.csv", "--labels", "DB"} << 1
                                      << QStringLiteral("Error occurred while loading.");
    QTest::newRow("no database named")
        << kSqlite << QStringList{"site.csv", "--labels"} << 2 << QStringLiteral("Usage:");
    QTest::newRow("extra argument")
        << kSqlite << QStringList{"site.csv", "out.csv", "--labels", "DB"} << 2
        << QStringLiteral("Usage:");
}

void TestLabelExport::converterExportsLabels()
{
    QFETCH(QString, engine);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    QVERIFY(run(databasePath(), {QStringLiteral("INSERT INTO TblForLabel (chNo1) VALUES ('X1')")}));
    writeFile(dir_->filePath(QStringLiteral("site.csv")),
              "AA01,Home HR,Back\r\nAA02,Distant HR,Front\r\nAA03,Spare,Front\r\n");
    const QStringList filesBefore = QDir(dir_->path()).entryList(QDir::Files);
    const QString db =
        engine == kOdbc ? odbcConnection(sqliteOdbcDriver(), databasePath()) : databasePath();
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^DB$")), db);

    const ConverterRun result = convert(dir_->path(), arguments);
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.errors));
    QVERIFY2(result.errors.contains(message), qPrintable(result.errors));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), filesBefore);
    const Table rows = readTable(databasePath());
    if (exitCode != 0) {
        QCOMPARE(rows.size(), 1);
        return;
    }
    QCOMPARE(rows.size(), 96);
    QCOMPARE(rows.first(), group(1, {"Home HR", "Distant HR", "Spare AA03", "Spare AA04"}, "BFFF"));
}

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
