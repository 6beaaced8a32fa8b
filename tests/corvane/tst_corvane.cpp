#include "common/DriveOfPath.h"
#include "common/ModFileUtil.h"
#include "common/ScriptedDialogs.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray text16(const QByteArray& bytes)
{
    QByteArray out;
    out.append(char(bytes.size() & 0xFF)).append(char(bytes.size() >> 8));
    return out + bytes;
}

QByteArray channelRecord(const QByteArray& name, bool back)
{
    return text16(name) + text16("") + text16("") + QByteArray(back ? "\xFF\xFF" : "\0\0", 2) +
           QByteArray(2, '\0');
}

QByteArray channelFile(const QList<QByteArray>& names, qint16 count)
{
    QByteArray out = "K7V2.0 DChannels";
    out.append(char(quint16(count) & 0xFF)).append(char(quint16(count) >> 8));
    for (qsizetype i = 0; i < names.size(); ++i)
        out += channelRecord(names[i], i % 3 == 1);
    return out;
}

QByteArray siteInfoFile(const QByteArray& name, const QByteArray& header = "K7V2.0 Site Info file")
{
    QByteArray out = header + text16(name) + text16("D:\\elsewhere");
    for (int i = 0; i < 3; ++i)
        out += text16("x");
    out += QByteArray(6, '\1') + text16("") + text16("") + QByteArray(8, '\2') + text16("") +
           text16("") + QByteArray(8, '\3') + text16("") + QByteArray(16, '\4') + text16("end");
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<DigitalChannelRecord> allocationsNamed(const QStringList& names)
{
    QList<DigitalChannelRecord> list{DigitalChannelRecord{}};
    for (const QString& name : names)
        list.append({name, {}, {}, false, 0});
    return list;
}

} // namespace

class TestCorvane : public QObject
{
    Q_OBJECT

private slots:
    void allocationsSizeTheTable_data();
    void allocationsSizeTheTable();
    void importOverAnEditedSiteLeavesDefaults();
    void spareNames_data();
    void spareNames();
    void longNamesAreCutWithOneMessage_data();
    void longNamesAreCutWithOneMessage();
    void channelFileIsWrittenByteForByte();
    void trailingSeparatorMakesNoDifference();
    void readerSurvivesBrokenFiles_data();
    void readerSurvivesBrokenFiles();
    void sitesAreListedInDirectoryOrder();
    void siteInfoKeepsItsDirectory();
    void fileSystemHelpers();
    void driveOfPath_data();
    void driveOfPath();
    void converterReadsAndWritesSites();
};

void TestCorvane::allocationsSizeTheTable_data()
{
    QTest::addColumn<int>("allocations");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("500 in two units") << 500 << 768 << QStringList{"500 channels imported"};
    QTest::newRow("3100 beyond the maximum")
        << 3100 << 3072
        << QStringList{"This copy of ZR415Config can handle a maximum of 3072 channels.",
                       "3072 channels imported"};
}

void TestCorvane::allocationsSizeTheTable()
{
    QFETCH(int, allocations);
    QFETCH(int, rows);
    QFETCH(QStringList, messages);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QStringList names;
    for (int i = 1; i <= allocations; ++i)
        names << QStringLiteral("R%1").arg(i);
    QVERIFY(FillFromAllocations(table, allocationsNamed(names)));
    QCOMPARE(table.rowCount(), rows);
    QCOMPARE(dialogs.texts(), messages);
    QCOMPARE(table.channel(std::min(allocations, rows) - 1).relNam,
             QStringLiteral("R%1").arg(std::min(allocations, rows)));
    if (allocations < rows) {
        QCOMPARE(table.channel(allocations).relNam, QStringLiteral("Spare BC21"));
        QCOMPARE(table.channel(rows - 1).relNam, QStringLiteral("Spare BH48"));
        QCOMPARE(table.channel(rows - 1).stUp, QStringLiteral("UP"));
    }
}

// Imported rows get the default state texts, and the rows after them are defaults, even where
// the site held other values.
void TestCorvane::importOverAnEditedSiteLeavesDefaults()
{
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(1152, ChannelTableModel::FillAllRows));
    const ChannelRow edited{QStringLiteral("Edited"), true, QStringLiteral("OCC"),
                            QStringLiteral("CLR")};
    for (const int row : {1, 300, 1000})
        QVERIFY(table.setChannel(row, edited));
    QList<DigitalChannelRecord> allocations = allocationsNamed({"R1", "R2", "R3"});
    allocations[2].BackContact = true;
    QVERIFY(FillFromAllocations(table, allocations));
    QCOMPARE(table.rowCount(), 384);
    QCOMPARE(table.channel(1), (ChannelRow{"R2", true, "UP", "DN"}));
    QCOMPARE(table.channel(0), (ChannelRow{"R1", false, "UP", "DN"}));
    for (const int row : {3, 300, 383})
        QCOMPARE(table.channel(row), ChannelTableModel::defaultRow(row + 1));
}

void TestCorvane::spareNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    for (const char* spare : {"spare", " Spare ", "(Spare)", "(SPARE)", "", "   "})
        QTest::newRow(spare) << spare << "Spare AA01";
    QTest::newRow("SPARE 2 stays") << "SPARE 2"
                                   << "SPARE 2";
    QTest::newRow("Spares stays") << "Spares"
                                  << "Spares";
}

void TestCorvane::spareNames()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(FillFromAllocations(table, allocationsNamed({name})));
    QCOMPARE(table.channel(0).relNam, stored);
}

void TestCorvane::longNamesAreCutWithOneMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("16 characters") << "ABCDEFGHIJKLMNOP"
                                   << "ABCDEFGHIJKLMNOP" << QStringList{"1 channels imported"};
    QTest::newRow("17 characters")
        << "ABCDEFGHIJKLMNOPQ"
        << "ABCDEFGHIJKLMNOP"
        << QStringList{"Channel 1 (AA01) changed from \r\n\"ABCDEFGHIJKLMNOPQ\" to\r\n"
                       "\"ABCDEFGHIJKLMNOP\"",
                       "1 channels imported"};
    QTest::newRow("long only through blanks")
        << "ABCDEFGHIJKLMNOP    "
        << "ABCDEFGHIJKLMNOP" << QStringList{"1 channels imported"};
}

void TestCorvane::longNamesAreCutWithOneMessage()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(FillFromAllocations(table, allocationsNamed({name})));
    QCOMPARE(table.channel(0).relNam, stored);
    QCOMPARE(dialogs.texts(), messages);
}

void TestCorvane::channelFileIsWrittenByteForByte()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
    table.setRelayName(1, QStringLiteral("A RELAY NAME LONGER THAN 16"));
    table.setBackContact(1, true);
    table.setRelayName(2, QString());
    // An older, longer file is replaced, not overwritten in place.
    writeFile(dir.filePath(QStringLiteral("DChannel.cfg")), QByteArray(40000, 'x'));
    QVERIFY(SaveCorvaneChannelFile(table, dir.path()));
    QByteArray expected = "K7V2.0 DChannels\x80\x01";
    for (int row = 0; row < 384; ++row) {
        QByteArray name = ChannelTableModel::spareName(row + 1).toLatin1();
        if (row == 1)
            name = "A RELAY NAME LON";
        if (row == 2)
            name.clear();
        expected += text16(name) + QByteArray(4, '\0') +
                    QByteArray(row == 1 ? "\xFF\xFF" : "\0\0", 2) + QByteArray(2, '\0');
    }
    QCOMPARE(readFile(dir.filePath(QStringLiteral("DChannel.cfg"))), expected);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::trailingSeparatorMakesNoDifference()
{
    QTemporaryDir with;
    QTemporaryDir without;
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    table.SetChannelCount(768, ChannelTableModel::FillAllRows);
    QVERIFY(
        SaveCorvaneChannelFile(table, QDir::toNativeSeparators(with.path()) + QDir::separator()));
    QVERIFY(SaveCorvaneChannelFile(table, QDir::toNativeSeparators(without.path())));
    const QByteArray a = readFile(with.filePath(QStringLiteral("DChannel.cfg")));
    QCOMPARE(a.mid(16, 2), QByteArray("\x00\x03", 2));
    QCOMPARE(a, readFile(without.filePath(QStringLiteral("DChannel.cfg"))));
    QCOMPARE(QDir(with.path()).entryList(QDir::Files), QStringList{"DChannel.cfg"});
}

void TestCorvane::readerSurvivesBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("firstName");
    const QByteArray two = channelFile({"ONE", "TWO"}, 2);
    QTest::newRow("count 0") << channelFile({"ONE"}, 0) << 0 << "";
    QTest::newRow("negative count") << channelFile({"ONE"}, -5) << 0 << "";
    QTest::newRow("other header") << QByteArray("XXXXXXXXXXXXXXXX") + two.mid(16) << 2 << "ONE";
    QTest::newRow("cut inside a record") << two.left(two.size() - 5) << 2 << "ONE";
    QTest::newRow("count beyond the records") << channelFile({"ONE"}, 32767) << 32767 << "ONE";
    QTest::newRow("byte count past the end")
        << QByteArray("K7V2.0 DChannels\x01\x00\xFF\xFFTPR", 23) << 1 << "TPR";
    QTest::newRow("header only") << QByteArray("K7V2.0 DChan") << 0 << "";
    QTest::newRow("empty file") << QByteArray() << 0 << "";
}

void TestCorvane::readerSurvivesBrokenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(QString, firstName);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("DChannel.cfg")), bytes);
    ScriptedDialogs dialogs;
    QList<DigitalChannelRecord> allocations;
    ModCrvFile::LoadDigitalChannels(dir.path(), allocations);
    QCOMPARE(allocations.size() - 1, records);
    if (records > 0)
        QCOMPARE(allocations[1].ChannelName, firstName);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::sitesAreListedInDirectoryOrder()
{
    QTemporaryDir config;
    writeFile(config.filePath(QStringLiteral("North/SiteInfo.cfg")), siteInfoFile("North"));
    writeFile(config.filePath(QStringLiteral("South/SiteInfo.cfg")),
              siteInfoFile("South", "a different header!!!"));
    writeFile(config.filePath(QStringLiteral("Nameless/SiteInfo.cfg")), siteInfoFile(""));
    writeFile(config.filePath(QStringLiteral("Blank/SiteInfo.cfg")), siteInfoFile(" "));
    writeFile(config.filePath(QStringLiteral("Zero/SiteInfo.cfg")), QByteArray());
    QDir().mkpath(config.filePath(QStringLiteral("NoInfo")));
    writeFile(config.filePath(QStringLiteral("notes.txt")), "not a site");
    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> sites;
    ModCrvFile::RegisterSites(config.path(), sites);
    QStringList expected;
    for (const QString& name :
         QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (name == QLatin1String("North") || name == QLatin1String("South") ||
            name == QLatin1String("Blank"))
            expected << (name == QLatin1String("Blank") ? QStringLiteral(" ") : name);
    }
    QStringList found;
    for (qsizetype i = 1; i < sites.size(); ++i)
        found << sites[i].SiteName;
    QCOMPARE(found, expected);
    QVERIFY(sites[0].SiteName.isEmpty() && sites[0].SiteDir.isEmpty());
    QVERIFY(dialogs.messages().isEmpty());

    QTemporaryDir empty;
    ModCrvFile::RegisterSites(empty.path(), sites);
    QCOMPARE(sites.size(), 1);
}

void TestCorvane::siteInfoKeepsItsDirectory()
{
    QTemporaryDir config;
    const QString site = QDir::toNativeSeparators(config.filePath(QStringLiteral("North")));
    writeFile(site + QStringLiteral("/SiteInfo.cfg"), siteInfoFile("North Jn"));
    SiteInfoRecord record;
    ModCrvFile::LoadSiteInfo(site, record);
    QCOMPARE(record.SiteName, QStringLiteral("North Jn"));
    QCOMPARE(record.SiteDir, site);
    QCOMPARE(record.data14, QByteArray(16, '\4'));
    QCOMPARE(record.text15, QStringLiteral("end"));
    SiteInfoRecord untouched;
    untouched.SiteName = QStringLiteral("kept");
    ModCrvFile::LoadSiteInfo(config.filePath(QStringLiteral("missing")), untouched);
    QCOMPARE(untouched.SiteName, QStringLiteral("kept"));
}

void TestCorvane::fileSystemHelpers()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("file.txt")), "x");
    writeFile(dir.filePath(QStringLiteral("sub/inner.txt")), "x");
    QDir().mkpath(dir.filePath(QStringLiteral(".hidden")));
    const QString before = QDir::currentPath();
    QVERIFY(ModFileUtil::IsDirectory(dir.filePath(QStringLiteral("sub"))));
    QVERIFY(!ModFileUtil::IsDirectory(dir.filePath(QStringLiteral("file.txt"))));
    QVERIFY(!ModFileUtil::IsDirectory(dir.filePath(QStringLiteral("none"))));
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(ModFileUtil::FileExists(dir.filePath(QStringLiteral("file.txt"))));
    QVERIFY(ModFileUtil::FileExists(dir.filePath(QStringLiteral("sub"))));
    QVERIFY(!ModFileUtil::FileExists(dir.filePath(QStringLiteral("none"))));
    QCOMPARE(ModFileUtil::ListSubdirectories(dir.path()), (QStringList{"", "sub"}));
    QCOMPARE(ModFileUtil::ListSubdirectories(dir.filePath(QStringLiteral("sub"))), QStringList{""});
}

void TestCorvane::driveOfPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");
    QTest::newRow("absolute") << "C:\\Data\\Sites"
                              << "c:";
    QTest::newRow("network") << "\\\\server\\share"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("relative") << "data\\x"
                              << "d:";
    QTest::newRow("unix root") << "/srv"
                               << "";
}

void TestCorvane::driveOfPath()
{
    QFETCH(QString, path);
    QFETCH(QString, drive);
    QCOMPARE(ModFunc::DriveOfPath(path), drive);
}

void TestCorvane::converterReadsAndWritesSites()
{
    QTemporaryDir config;
    writeFile(config.filePath(QStringLiteral("North/SiteInfo.cfg")), siteInfoFile("North"));
    writeFile(config.filePath(QStringLiteral("North/DChannel.cfg")),
              channelFile({"TPR 1", "HR 2"}, 2));
    writeFile(config.filePath(QStringLiteral("Empty/SiteInfo.cfg")), siteInfoFile("Empty"));
    const auto run = [](const QStringList& arguments, QByteArray* out = nullptr) {
        QProcess process;
        process.start(QStringLiteral(ZR415_CONVERT_EXE), arguments);
        process.waitForFinished(30000);
        if (out)
            *out = process.readAllStandardOutput();
        return process.exitCode();
    };
    QByteArray listing;
    QCOMPARE(run({"--sites", config.path()}, &listing), 0);
    QVERIFY(
        listing.contains("North\t" + QDir::toNativeSeparators(config.filePath("North")).toUtf8()));
    const QString csv = config.filePath(QStringLiteral("north.csv"));
    QCOMPARE(run({config.filePath(QStringLiteral("North/DChannel.cfg")), csv}), 0);
    QVERIFY(readFile(csv).startsWith("AA01,TPR 1,Front\r\nAA02,HR 2,Back\r\n"));
    QCOMPARE(run({csv, config.filePath(QStringLiteral("out/any.cfg"))}), 1);
    QDir().mkpath(config.filePath(QStringLiteral("out")));
    QCOMPARE(run({csv, config.filePath(QStringLiteral("out/any.cfg"))}), 0);
    QCOMPARE(QDir(config.filePath(QStringLiteral("out"))).entryList(QDir::Files),
             QStringList{"DChannel.cfg"});
    QCOMPARE(run({config.filePath(QStringLiteral("Empty")), csv}), 1);
    QCOMPARE(run({"--sites"}), 2);
}

QTEST_GUILESS_MAIN(TestCorvane)
#include "tst_corvane.moc"
