#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

// The SQLite ODBC driver by its library, so that nothing has to be registered; the name
// libsqliteodbc registers otherwise.
QString sqliteOdbcDriver()
{
    QStringList candidates;
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString& arch : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << lib.filePath(arch + QStringLiteral("/odbc/libsqlite3odbc.so"));
    candidates << QStringLiteral("/usr/lib/odbc/libsqlite3odbc.so")
               << QStringLiteral("/usr/lib64/libsqlite3odbc.so")
               << QStringLiteral("/usr/local/lib/libsqlite3odbc.so");
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    QFile registry(QStringLiteral("/etc/odbcinst.ini"));
    if (registry.open(QIODevice::ReadOnly) && registry.readAll().contains("[SQLite3]"))
        return QStringLiteral("SQLite3");
    return QString();
}

// Why the engine cannot run here; empty when it can.
QString unavailable(const QString& engine)
{
    if (engine == kSqlite)
        return QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))
                   ? QString()
                   : QStringLiteral("the Qt SQLite plugin (QSQLITE) is not installed");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return QStringLiteral(
            "the Qt ODBC plugin (QODBC, Debian libqt6sql6-odbc) is not installed");
    if (sqliteOdbcDriver().isEmpty())
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

QString converterArgument(const QString& engine, const QString& file)
{
    return engine == kOdbc ? odbcConnection(sqliteOdbcDriver(), file) : file;
}

// Runs statements on the file through a connection of the test's own.
bool runStatements(const QString& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ok = db.open();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            if (ok && !query.exec(statement)) {
                qWarning() << statement << query.lastError().text();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The statements of the table's script, comment lines dropped.
QStringList tableScript()
{
    QFile script(QStringLiteral(ZR415_LABELS_TABLE_SQL));
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList code;
    for (const QString& line : QString::fromUtf8(script.readAll()).split(u'\n')) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            code << line;
    }
    QStringList statements = code.join(u'\n').split(u';', Qt::SkipEmptyParts);
    statements.removeIf([](const QString& s) { return s.trimmed().isEmpty(); });
    return statements;
}

bool createLabelsDatabase(const QString& file, const QStringList& extra = {})
{
    const QStringList script = tableScript();
    return !script.isEmpty() && runStatements(file, script + extra);
}

Table readTable(const QString& file)
{
    const QString name = QUuid::createUuid().toString();
    Table rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral(
                "SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, relNam3, relNam4, "
                "fOrB1, fOrB2, fOrB3, fOrB4 FROM TblForLabel ORDER BY rowid"));
            while (query.next()) {
                QStringList fields;
                for (int f = 0; f < 12; ++f)
                    fields << query.value(f).toString();
                rows << fields;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

bool tableExists(const QString& file)
{
    const QString name = QUuid::createUuid().toString();
    bool exists = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        exists = db.open() && db.tables().contains(QStringLiteral("TblForLabel"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return exists;
}

QStringList row(const QStringList& labels, const QStringList& names, const QStringList& contacts)
{
    return labels + names + contacts;
}

QStringList frontContacts()
{
    return {QStringLiteral("F"), QStringLiteral("F"), QStringLiteral("F"), QStringLiteral("F")};
}

// A spare-only group of the default table: labels, "Spare " names, front contacts.
QStringList spareRow(int group)
{
    QStringList labels;
    QStringList names;
    for (int k = 1; k <= 4; ++k) {
        labels << labelOf(4 * group + k);
        names << QStringLiteral("Spare ") + labelOf(4 * group + k);
    }
    return row(labels, names, frontContacts());
}

void makeSite(ChannelTableModel& table, int units)
{
    table.SetChannelCount(units * 384, ChannelTableModel::FillAllRows);
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

    void windowsUsesTheAccessFileWithAFallbackDriver();
    void otherPlatformsUseSqliteInTheApplicationDataFolder();
    void odbcStringParts_data();
    void odbcStringParts();
    void argumentChoosesTheDriver_data();
    void argumentChoosesTheDriver();

    void exportsEveryChannelFourToARow_data();
    void exportsEveryChannelFourToARow();
    void backContactsSetOnlyTheirContactField_data();
    void backContactsSetOnlyTheirContactField();
    void exportReplacesTheEarlierRows_data();
    void exportReplacesTheEarlierRows();
    void failureKeepsTheTableAsItWas_data();
    void failureKeepsTheTableAsItWas();
    void odbcFallsBackToTheSecondDriver();
    void sqliteFileNamesNeedNoEscaping_data();
    void sqliteFileNamesNeedNoEscaping();

    void converterExportsLabels_data();
    void converterExportsLabels();
    void converterReportsFailures_data();
    void converterReportsFailures();

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

void TestLabelExport::windowsUsesTheAccessFileWithAFallbackDriver()
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
}

void TestLabelExport::otherPlatformsUseSqliteInTheApplicationDataFolder()
{
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
    QTest::newRow("sqlite driver") << "DRIVER={SQLite3};Database=/tmp/l.db"
                                   << "/tmp/l.db"
                                   << "X"
                                   << "DRIVER={X};Database=/tmp/l.db";
    QTest::newRow("keys in any case") << "driver={A};dbq=C:\\a b\\l.mdb;"
                                      << "C:\\a b\\l.mdb"
                                      << "B (*.mdb, *.accdb)"
                                      << "DRIVER={B (*.mdb, *.accdb)};dbq=C:\\a b\\l.mdb";
    QTest::newRow("braced file with semicolon") << "DRIVER={A};DBQ={C:\\x;y\\l.mdb};PWD="
                                                << "C:\\x;y\\l.mdb"
                                                << "B"
                                                << "DRIVER={B};DBQ={C:\\x;y\\l.mdb};PWD=";
    QTest::newRow("spaces around the key") << "DRIVER={A}; Database = /d/l.db"
                                           << "/d/l.db"
                                           << ""
                                           << "";
    QTest::newRow("dsn names no file") << "DSN=labels"
                                       << ""
                                       << "B"
                                       << "DRIVER={B};DSN=labels";
}

void TestLabelExport::odbcStringParts()
{
    QFETCH(QString, connection);
    QFETCH(QString, file);
    QFETCH(QString, fallbackDriver);
    QFETCH(QString, fallbackConnection);
    const LabelDatabase database{QStringLiteral("QODBC"), connection, fallbackDriver};
    QCOMPARE(database.databaseFile(), file);
    QCOMPARE(database.fallbackConnection(), fallbackConnection);
}

void TestLabelExport::argumentChoosesTheDriver_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("driver");
    QTest::newRow("file") << "labels.db"
                          << "QSQLITE";
    QTest::newRow("driver string") << "DRIVER={SQLite3};Database=l.db"
                                   << "QODBC";
    QTest::newRow("dsn") << "DSN=labels"
                         << "QODBC";
    QTest::newRow("lower-case dsn") << "dsn=labels"
                                    << "QODBC";
    QTest::newRow("key later in a path") << "/tmp/DSN=x.db"
                                         << "QSQLITE";
}

void TestLabelExport::argumentChoosesTheDriver()
{
    QFETCH(QString, argument);
    QFETCH(QString, driver);
    const LabelDatabase database = LabelDatabase::fromArgument(argument);
    QCOMPARE(database.driver, driver);
    QCOMPARE(database.connection, argument);
    QVERIFY(database.fallbackDriver.isEmpty());
}

void TestLabelExport::exportsEveryChannelFourToARow_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("lastUnit");
    for (const QString& engine : {kSqlite, kOdbc}) {
        QTest::addRow("%s one unit", qPrintable(engine)) << engine << 1 << "A";
        QTest::addRow("%s eight units", qPrintable(engine)) << engine << 8 << "H";
    }
}

void TestLabelExport::exportsEveryChannelFourToARow()
{
    QFETCH(QString, engine);
    QFETCH(int, units);
    QFETCH(QString, lastUnit);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    ChannelTableModel table;
    makeSite(table, units);
    const QString longName = QStringLiteral("Longer than sixteen characters");
    table.setRelayName(0, QStringLiteral("Home HR"));
    table.setRelayName(1, QStringLiteral("O'Brien, \"Z\""));
    table.setRelayName(2, longName);
    table.setRelayName(3, QStringLiteral("Weiche Ü 12"));
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(ExportLabelDatabase(table, target(engine, databasePath())));

    QCOMPARE(
        dialogs.texts(),
        QStringList{QStringLiteral("%1 channels exported to label database").arg(units * 384)});
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    const Table rows = readTable(databasePath());
    QCOMPARE(rows.size(), units * 96);
    QCOMPARE(rows.first(),
             row({"AA01", "AA02", "AA03", "AA04"},
                 {"Home HR", "O'Brien, \"Z\"", longName, QStringLiteral("Weiche Ü 12")},
                 frontContacts()));
    QCOMPARE(rows.last(),
             row({lastUnit + "H45", lastUnit + "H46", lastUnit + "H47", lastUnit + "H48"},
                 {"Spare " + lastUnit + "H45", "Spare " + lastUnit + "H46",
                  "Spare " + lastUnit + "H47", "Spare " + lastUnit + "H48"},
                 frontContacts()));
    for (int group = 1; group < rows.size(); ++group)
        QCOMPARE(rows[group], spareRow(group));
}

void TestLabelExport::backContactsSetOnlyTheirContactField_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite") << kSqlite;
    QTest::newRow("odbc") << kOdbc;
}

void TestLabelExport::backContactsSetOnlyTheirContactField()
{
    QFETCH(QString, engine);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    ChannelTableModel table;
    makeSite(table, 1);
    // Groups 0 and 2 share a column set, so a reused statement must take new values.
    const QList<QList<bool>> backs = {{false, true, false, true},
                                      {true, false, true, false},
                                      {false, true, false, true},
                                      {true, true, true, true}};
    for (int group = 0; group < backs.size(); ++group) {
        for (int k = 0; k < 4; ++k) {
            table.setBackContact(4 * group + k, backs[group][k]);
            table.setRelayName(4 * group + k, QStringLiteral("R%1").arg(4 * group + k + 1));
        }
    }

    ScriptedDialogs dialogs;
    QVERIFY(ExportLabelDatabase(table, target(engine, databasePath())));

    const Table rows = readTable(databasePath());
    QCOMPARE(rows.size(), 96);
    const QString b = QStringLiteral("B");
    const QString f = QStringLiteral("F");
    const QList<QStringList> contacts = {{f, b, f, b}, {b, f, b, f}, {f, b, f, b}, {b, b, b, b}};
    for (int group = 0; group < contacts.size(); ++group) {
        const int c = 4 * group;
        QCOMPARE(rows[group],
                 row({labelOf(c + 1), labelOf(c + 2), labelOf(c + 3), labelOf(c + 4)},
                     {QStringLiteral("R%1").arg(c + 1), QStringLiteral("R%1").arg(c + 2),
                      QStringLiteral("R%1").arg(c + 3), QStringLiteral("R%1").arg(c + 4)},
                     contacts[group]));
    }
    QCOMPARE(rows[4], spareRow(4));
}

void TestLabelExport::exportReplacesTheEarlierRows_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite") << kSqlite;
    QTest::newRow("odbc") << kOdbc;
}

void TestLabelExport::exportReplacesTheEarlierRows()
{
    QFETCH(QString, engine);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    const LabelDatabase database = target(engine, databasePath());
    ChannelTableModel small;
    makeSite(small, 1);
    small.setRelayName(7, QStringLiteral("Eighth"));
    small.setBackContact(7, true);
    ChannelTableModel large;
    makeSite(large, 8);
    large.setRelayName(0, QStringLiteral("Large site"));

    ScriptedDialogs dialogs;
    QVERIFY(ExportLabelDatabase(small, database));
    const Table first = readTable(databasePath());
    QCOMPARE(first.size(), 96);
    QCOMPARE(first[1][7], QStringLiteral("Eighth"));
    QCOMPARE(first[1][11], QStringLiteral("B"));

    QVERIFY(ExportLabelDatabase(small, database));
    QCOMPARE(readTable(databasePath()), first);

    QVERIFY(ExportLabelDatabase(large, database));
    QCOMPARE(readTable(databasePath()).size(), 768);
    QVERIFY(ExportLabelDatabase(small, database));
    QCOMPARE(readTable(databasePath()), first);
    QCOMPARE(dialogs.messages().size(), 4);
}

void TestLabelExport::failureKeepsTheTableAsItWas_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("description");
    for (const QString& engine : {kSqlite, kOdbc}) {
        QTest::addRow("%s missing file", qPrintable(engine))
            << engine << Failure::MissingFile << "does not exist";
        QTest::addRow("%s missing table", qPrintable(engine))
            << engine << Failure::MissingTable << "TblForLabel";
        QTest::addRow("%s refused value halfway", qPrintable(engine))
            << engine << Failure::RefusedValue << "relay name refused";
    }
}

void TestLabelExport::failureKeepsTheTableAsItWas()
{
    QFETCH(QString, engine);
    QFETCH(Failure, failure);
    QFETCH(QString, description);
    SKIP_UNLESS_AVAILABLE(engine);
    const Table before = {
        row({"X1", "X2", "X3", "X4"}, {"old", "rows", "stay", "here"}, {"B", "F", "F", "B"})};
    if (failure == Failure::MissingTable) {
        QVERIFY(runStatements(databasePath(), {QStringLiteral("CREATE TABLE Other (a TEXT)")}));
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
    const QByteArray bytesBefore = [this] {
        QFile file(databasePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ChannelTableModel table;
    makeSite(table, 8);
    table.setRelayName(1538, QStringLiteral("REFUSED")); // third of its group, half way
    const QStringList connections = QSqlDatabase::connectionNames();

    ScriptedDialogs dialogs;
    QVERIFY(!ExportLabelDatabase(table, target(engine, databasePath())));

    QCOMPARE(dialogs.texts().size(), 1);
    const QString text = dialogs.texts().first();
    QVERIFY2(text.startsWith(kFailureLine), qPrintable(text));
    QVERIFY2(text.contains(description), qPrintable(text));
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    switch (failure) {
    case Failure::MissingFile:
        QVERIFY(text.contains(QDir::toNativeSeparators(databasePath())));
        QVERIFY(!QFileInfo::exists(databasePath()));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        break;
    case Failure::MissingTable:
        QVERIFY(!tableExists(databasePath()));
        break;
    case Failure::RefusedValue:
        QCOMPARE(readTable(databasePath()), before);
        break;
    }
    if (failure != Failure::RefusedValue) {
        QFile file(databasePath());
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), bytesBefore);
    }
}

void TestLabelExport::odbcFallsBackToTheSecondDriver()
{
    SKIP_UNLESS_AVAILABLE(kOdbc);
    QVERIFY(createLabelsDatabase(databasePath()));
    ChannelTableModel table;
    makeSite(table, 1);
    const QString missingDriver =
        odbcConnection(QStringLiteral("ZR415 No Such Driver"), databasePath());

    ScriptedDialogs dialogs;
    QVERIFY(!ExportLabelDatabase(table, {QStringLiteral("QODBC"), missingDriver, QString()}));
    QVERIFY2(dialogs.texts().value(0).startsWith(kFailureLine),
             qPrintable(dialogs.texts().value(0)));
    QVERIFY(dialogs.texts().value(0).size() > kFailureLine.size());

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
    QTest::newRow("space") << "logger labels.db";
    QTest::newRow("hash and question mark") << "a#b?mode=ro.db";
    QTest::newRow("percent escape") << "100%20.db";
    QTest::newRow("non-ASCII") << "Stellwerk Ä.db";
}

// The SQLite file is opened through a file: URI, which must not read these characters as syntax.
void TestLabelExport::sqliteFileNamesNeedNoEscaping()
{
    QFETCH(QString, fileName);
    SKIP_UNLESS_AVAILABLE(kSqlite);
    const QString path = dir_->filePath(fileName);
    QVERIFY(createLabelsDatabase(path));
    ChannelTableModel table;
    makeSite(table, 1);

    ScriptedDialogs dialogs;
    QVERIFY2(ExportLabelDatabase(table, target(kSqlite, path)),
             qPrintable(dialogs.texts().value(0)));
    QCOMPARE(readTable(path).size(), 96);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{fileName});
}

void TestLabelExport::converterExportsLabels_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite file") << kSqlite;
    QTest::newRow("odbc string") << kOdbc;
}

void TestLabelExport::converterExportsLabels()
{
    QFETCH(QString, engine);
    SKIP_UNLESS_AVAILABLE(engine);
    QVERIFY(createLabelsDatabase(databasePath()));
    const QString input = dir_->filePath(QStringLiteral("north.csv"));
    QFile csv(input);
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("AA01,Home HR,Back\r\nAA02,Distant HR,Front\r\nAA03,Spare,Front\r\n");
    csv.close();

    QProcess converter;
    converter.start(QStringLiteral(ZR415_CONVERT_EXE),
                    {input, QStringLiteral("--labels"), converterArgument(engine, databasePath())});
    QVERIFY(converter.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(converter.readAllStandardError());
    QCOMPARE(converter.exitStatus(), QProcess::NormalExit);
    QVERIFY2(converter.exitCode() == 0, qPrintable(errors));
    QVERIFY2(errors.contains(QStringLiteral("384 channels exported to label database\n")),
             qPrintable(errors));
    const Table rows = readTable(databasePath());
    QCOMPARE(rows.size(), 96);
    QCOMPARE(rows.first(),
             row({"AA01", "AA02", "AA03", "AA04"},
                 {"Home HR", "Distant HR", "Spare AA03", "Spare AA04"}, {"B", "F", "F", "F"}));
}

void TestLabelExport::converterReportsFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing database") << QStringList{"site.csv", "--labels", "missing.db"} << 1
                                      << "Error exporting to labels database";
    QTest::newRow("unreadable input") << QStringList{"absent.csv", "--labels", "labels.db"} << 1
                                      << "Error occurred while loading.";
    QTest::newRow("no database named") << QStringList{"site.csv", "--labels"} << 2 << "Usage:";
    QTest::newRow("extra argument")
        << QStringList{"site.csv", "out.csv", "--labels", "labels.db"} << 2 << "Usage:";
    QTest::newRow("unknown input type")
        << QStringList{"site.txt", "--labels", "labels.db"} << 2 << "Unknown file type";
}

void TestLabelExport::converterReportsFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    SKIP_UNLESS_AVAILABLE(kSqlite);
    const QString labels = dir_->filePath(QStringLiteral("labels.db"));
    QVERIFY(createLabelsDatabase(labels));
    QVERIFY(
        runStatements(labels, {QStringLiteral("INSERT INTO TblForLabel (chNo1) VALUES ('X1')")}));
    QFile csv(dir_->filePath(QStringLiteral("site.csv")));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("AA01,Home HR,Back\r\n");
    csv.close();
    QFile::copy(csv.fileName(), dir_->filePath(QStringLiteral("site.txt")));
    const QStringList filesBefore = QDir(dir_->path()).entryList(QDir::Files);

    QProcess converter;
    converter.setWorkingDirectory(dir_->path());
    converter.start(QStringLiteral(ZR415_CONVERT_EXE), arguments);
    QVERIFY(converter.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(converter.readAllStandardError());
    QCOMPARE(converter.exitStatus(), QProcess::NormalExit);
    QVERIFY2(converter.exitCode() == exitCode, qPrintable(errors));
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), filesBefore);
    QCOMPARE(readTable(labels).size(), 1);
}

QTEST_GUILESS_MAIN(TestLabelExport)
#include "tst_labelexport.moc"
