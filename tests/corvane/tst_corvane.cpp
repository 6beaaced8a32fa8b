#include "../support/TestFiles.h"
#include "common/AtomicFile.h"
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

// Every file here is built from the byte layouts: little-endian 16-bit numbers, texts as a
// byte count and Windows-1252 bytes.
namespace {

const QString kSep = QDir::separator();
const QByteArray kSiteHeader = "K7V2.0 Site Info file";

QByteArray int16(int value)
{
    const char bytes[2] = {char(quint16(value) & 0xFF), char(quint16(value) >> 8)};
    return QByteArray(bytes, 2);
}

QByteArray text16(const QByteArray& bytes)
{
    return int16(int(bytes.size())) + bytes;
}

QByteArray record(const QByteArray& name, int back = 0, const QByteArray& second = {},
                  const QByteArray& third = {}, int last = 0)
{
    return text16(name) + text16(second) + text16(third) + int16(back) + int16(last);
}

QByteArray channelFile(int count, const QByteArray& records)
{
    return "K7V2.0 DChannels" + int16(count) + records;
}

QStringList siteNames(const QList<SiteInfoRecord>& sites)
{
    QStringList names;
    for (qsizetype i = 1; i < sites.size(); ++i)
        names << sites[i].SiteName;
    return names;
}

struct ConvertRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ConvertRun convert(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZR415_CONVERT_EXE), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

enum class Failure { SiteInfoUnreadable, ChannelsUnreadable, SaveCutShort, ListAFile };

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestCorvane : public QObject
{
    Q_OBJECT

private slots:
    void fillFromAllocations_data();
    void fillFromAllocations();
    void saveWritesTheLayout_data();
    void saveWritesTheLayout();
    void channelRecordsAreRead_data();
    void channelRecordsAreRead();
    void recordsRoundTrip();
    void siteInfoFieldsKeepTheirOrder();
    void sitesAreRegistered_data();
    void sitesAreRegistered();
    void failuresAreReported_data();
    void failuresAreReported();
    void fileSystemHelpers();
    void driveOfPath_data();
    void driveOfPath();
    void converterCorvaneSites_data();
    void converterCorvaneSites();
    void converterListsSites();
};

void TestCorvane::fillFromAllocations_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    const QStringList one{"1 channels imported"};
    QTest::newRow("500 in two units")
        << "R1" << 500 << 768 << "R1" << QStringList{"500 channels imported"};
    QTest::newRow("3100 beyond the maximum")
        << "R1" << 3100 << 3072 << "R1"
        << QStringList{"This copy of ZR415Config can handle a maximum of 3072 channels.",
                       "3072 channels imported"};
    for (const char* spare : {" spare ", "(Spare)", ""})
        QTest::newRow(spare) << spare << 1 << 384 << "Spare AA01" << one;
    QTest::newRow("SPARE 2 stays") << "SPARE 2" << 1 << 384 << "SPARE 2" << one;
    QTest::newRow("16 characters") << "ABCDEFGHIJKLMNOP" << 1 << 384 << "ABCDEFGHIJKLMNOP" << one;
    QTest::newRow("17 characters")
        << "ABCDEFGHIJKLMNOPQ" << 1 << 384 << "ABCDEFGHIJKLMNOP"
        << QStringList{"Channel 1 (AA01) changed from \r\n\"ABCDEFGHIJKLMNOPQ\" to\r\n"
                       "\"ABCDEFGHIJKLMNOP\"",
                       "1 channels imported"};
    QTest::newRow("long only through blanks")
        << "ABCDEFGHIJKLMNOP    " << 1 << 384 << "ABCDEFGHIJKLMNOP" << one;
}

// The table starts as an edited three-unit site: every row the import does not write must come
// back as a default row, with the default state texts.
void TestCorvane::fillFromAllocations()
{
    QFETCH(QString, first);
    QFETCH(int, count);
    QFETCH(int, rows);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(1152, ChannelTableModel::FillAllRows));
    for (const int row : {1, 300, 1000})
        QVERIFY(table.setChannel(row, {"Edited", true, "OCC", "CLR"}));
    DigitalChannelList allocations{{first, {}, {}, false, 0}};
    for (int i = 2; i <= count; ++i)
        allocations.appendChannel(QStringLiteral("R%1").arg(i), i == 2);

    QVERIFY(FillFromAllocations(table, allocations));
    QCOMPARE(table.rowCount(), rows);
    QTEST(dialogs.texts(), "messages");
    QTEST(table.channel(0).relNam, "stored");
    const int last = std::min(count, rows);
    if (count > 1) {
        QCOMPARE(table.channel(1), (ChannelRow{"R2", true, "UP", "DN"}));
        QCOMPARE(table.channel(last - 1).relNam, QStringLiteral("R%1").arg(last));
    }
    for (const int row : {1, 300, 1000, rows - 1}) {
        if (row >= last && row < rows)
            QCOMPARE(table.channel(row), ChannelTableModel::defaultRow(row + 1));
    }
    if (count == 500)
        QCOMPARE(table.channel(500).relNam, QStringLiteral("Spare BC21"));
}

void TestCorvane::saveWritesTheLayout_data()
{
    QTest::addColumn<bool>("trailingSeparator");
    QTest::newRow("without separator") << false;
    QTest::newRow("with separator") << true;
}

void TestCorvane::saveWritesTheLayout()
{
    QFETCH(bool, trailingSeparator);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
    table.setRelayName(1, QStringLiteral("A RELAY NAME LONGER THAN 16"));
    table.setBackContact(1, true);
    table.setRelayName(2, QString());
    table.setRelayName(3, QStringLiteral(u"B\u00E4r \u20AC \u03A9"));
    // An older, longer file is replaced, not overwritten in place.
    writeFile(dir.filePath(QStringLiteral("DChannel.cfg")), QByteArray(40000, 'x'));
    const QString folder = QDir::toNativeSeparators(dir.path());
    QVERIFY(SaveCorvaneChannelFile(table, trailingSeparator ? folder + kSep : folder));

    QByteArray records = record("Spare AA01") + record("A RELAY NAME LON", -1) + record("") +
                         record("B\xE4r \x80 ?");
    for (int channel = 5; channel <= 384; ++channel)
        records += record(ChannelTableModel::spareName(channel).toLatin1());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("DChannel.cfg"))),
             QByteArray("K7V2.0 DChannels\x80\x01") + records);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"DChannel.cfg"});
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::channelRecordsAreRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("back");
    QTest::addColumn<QString>("second");

    const QByteArray full = record("TPR 104 LONG NAME 20", -1, "second", "third", 7);
    QTest::newRow("all fields") << channelFile(1, full) << 1 << 1 << "TPR 104 LONG NAME 20" << true
                                << "second";
    QTest::newRow("other header") << "XXXXXXXXXXXXXXXX" + int16(1) + full << 1 << 1
                                  << "TPR 104 LONG NAME 20" << true << "second";
    QTest::newRow("ANSI name") << channelFile(1, record("\x80 Sign\xE9\x9F")) << 1 << 1
                               << QStringLiteral(u"\u20AC Sign\u00E9\u0178") << false << "";
    QTest::newRow("odd contact value is back")
        << channelFile(2, record("A") + record("B", 1)) << 2 << 2 << "B" << true << "";
    QTest::newRow("front after back")
        << channelFile(2, record("A", -1) + record("B", 0)) << 2 << 2 << "B" << false << "";
    // Count 3, but the file holds one and a half records.
    QTest::newRow("cut inside a record")
        << channelFile(3, record("A", -1) + text16("B") + text16("2nd")) << 3 << 2 << "B" << false
        << "2nd";
    QTest::newRow("cut inside a record's first count")
        << channelFile(2, record("A") + QByteArray("\x05", 1)) << 2 << 2 << "" << false << "";
    QTest::newRow("cut inside the count")
        << QByteArray("K7V2.0 DChannels\x02", 17) << 2 << 2 << "" << false << "";
    // A byte count of 300 with four bytes left: the bytes that are there, nothing beyond.
    QTest::newRow("byte count past the end")
        << channelFile(2, int16(300) + "ABCD") << 2 << 1 << "ABCD" << false << "";
    QTest::newRow("largest count, no records")
        << channelFile(32767, {}) << 32767 << 32767 << "" << false << "";
    QTest::newRow("count 0") << channelFile(0, record("A")) << 0 << 0 << "" << false << "";
    QTest::newRow("count -32768") << channelFile(-32768, record("A")) << 0 << 0 << "" << false
                                  << "";
}

void TestCorvane::channelRecordsAreRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(int, index);
    QTemporaryDir site;
    writeFile(site.filePath(QStringLiteral("DChannel.cfg")), bytes);
    ScriptedDialogs dialogs;
    DigitalChannelList allocations{{}, {}, {}, {}};
    ModCrvFile::LoadDigitalChannels(site.path(), allocations);
    QCOMPARE(allocations.lastIndex(), records);
    QVERIFY(dialogs.messages().isEmpty());
    const DigitalChannelRecord read = allocations.at(index);
    QTEST(read.ChannelName, "name");
    QTEST(read.BackContact, "back");
    QTEST(read.text2, "second");
}

// Every field of every record comes back, however the list was built; the last field is
// always written as 0.
void TestCorvane::recordsRoundTrip()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    DigitalChannelList written{{QStringLiteral(u"TPR \u20AC"), "second", "third", true, 7}};
    written.appendChannel(u"", false);
    written.append({});
    written.append({QStringLiteral(u"B\u00E4r"), "", "3rd", false, 9});
    QVERIFY(ModCrvFile::SaveDigitalChannels(dir.path(), written));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("DChannel.cfg"))),
             channelFile(4, record("TPR \x80", -1, "second", "third") + record("") + record("") +
                                record("B\xE4r", 0, "", "3rd")));

    DigitalChannelList read;
    ModCrvFile::LoadDigitalChannels(dir.path(), read);
    QCOMPARE(read.lastIndex(), 4);
    const QList<DigitalChannelRecord> expected{
        {},
        {QStringLiteral(u"TPR \u20AC"), "second", "third", true, 0},
        {},
        {},
        {QStringLiteral(u"B\u00E4r"), "", "3rd", false, 0}};
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(read.at(k), expected[k]);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::siteInfoFieldsKeepTheirOrder()
{
    QTemporaryDir config;
    const QString site = config.path() + kSep + QStringLiteral("Kirkby");
    QByteArray bytes = kSiteHeader + text16("Kirkby Jn") + text16("C:\\old\\place");
    bytes += text16("t3") + text16("t4") + text16("t5") + QByteArray("\x01\x02\x03\x04\x05\x06");
    bytes += text16("t7") + text16("t8") + QByteArray("ABCDEFGH") + text16("t10") + text16("t11");
    bytes += QByteArray("IJKLMNOP") + text16("t13") + QByteArray("0123456789abcdef");
    bytes += text16("t15") + QByteArray("bytes after the last field are never read");
    writeFile(site + kSep + QStringLiteral("SiteInfo.cfg"), bytes);
    ScriptedDialogs dialogs;
    SiteInfoRecord info;
    ModCrvFile::LoadSiteInfo(site, info);
    QVERIFY(dialogs.messages().isEmpty());
    QCOMPARE(info.SiteName, QStringLiteral("Kirkby Jn"));
    QCOMPARE(info.SiteDir, site);
    const QStringList texts{info.text3,  info.text4,  info.text5,  info.text7, info.text8,
                            info.text10, info.text11, info.text13, info.text15};
    QCOMPARE(texts, (QStringList{"t3", "t4", "t5", "t7", "t8", "t10", "t11", "t13", "t15"}));
    QCOMPARE(info.data6, QByteArray("\x01\x02\x03\x04\x05\x06"));
    QCOMPARE(info.data9, QByteArray("ABCDEFGH"));
    QCOMPARE(info.data12, QByteArray("IJKLMNOP"));
    QCOMPARE(info.data14, QByteArray("0123456789abcdef"));

    // No SiteInfo.cfg: the record is left exactly as it was.
    ModCrvFile::LoadSiteInfo(config.filePath(QStringLiteral("missing")), info);
    QCOMPARE(info.SiteName, QStringLiteral("Kirkby Jn"));
    QCOMPARE(info.SiteDir, site);
}

void TestCorvane::sitesAreRegistered_data()
{
    QTest::addColumn<bool>("makeSite");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("sites");
    QTest::newRow("no subdirectories") << false << QByteArray() << QStringList();
    QTest::newRow("zero bytes") << true << QByteArray() << QStringList();
    QTest::newRow("cut inside the name byte count")
        << true << kSiteHeader + '\x05' << QStringList();
    QTest::newRow("cut inside the name")
        << true << kSiteHeader + QByteArray("\x05\x00Le", 4) << QStringList{"Le"};
    QTest::newRow("name and nothing else")
        << true << kSiteHeader + text16("Leeds") << QStringList{"Leeds"};
    QTest::newRow("other header") << true << QByteArray("K7V3.1 Something else") + text16("Hull")
                                  << QStringList{"Hull"};
}

void TestCorvane::sitesAreRegistered()
{
    QFETCH(bool, makeSite);
    QFETCH(QByteArray, bytes);
    QTemporaryDir config;
    if (makeSite)
        writeFile(config.filePath(QStringLiteral("site/SiteInfo.cfg")), bytes);
    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> found{{}, {}, {}};
    ModCrvFile::RegisterSites(config.path(), found);
    QTEST(siteNames(found), "sites");
    QVERIFY(found[0].SiteName.isEmpty() && found[0].SiteDir.isEmpty());
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::failuresAreReported_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<MessageIcon>("icon");
    QTest::newRow("unreadable SiteInfo.cfg")
        << Failure::SiteInfoUnreadable << QStringLiteral("Could not load site info file.")
        << MessageIcon::Exclamation;
    QTest::newRow("unreadable DChannel.cfg")
        << Failure::ChannelsUnreadable
        << QStringLiteral("Could not load digital channel allocations file.")
        << MessageIcon::Information;
    QTest::newRow("disk full keeps the old file")
        << Failure::SaveCutShort << QStringLiteral("Could not save digital channels config file.")
        << MessageIcon::Exclamation;
    QTest::newRow("listing a file")
        << Failure::ListAFile << QStringLiteral("Error while getting subdirectories.")
        << MessageIcon::Exclamation;
}

// A "file" that is a directory cannot be opened, whoever runs the test.
void TestCorvane::failuresAreReported()
{
    QFETCH(Failure, failure);
    QTemporaryDir dir;
    const QString broken = dir.path() + kSep + QStringLiteral("broken");
    const QByteArray old = channelFile(1, record("OLD SITE"));
    QList<SiteInfoRecord> sites;
    DigitalChannelList allocations;
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
    ScriptedDialogs dialogs;
    QString path = broken;
    switch (failure) {
    case Failure::SiteInfoUnreadable:
        path += kSep + QStringLiteral("SiteInfo.cfg");
        QVERIFY(QDir().mkpath(path));
        writeFile(dir.filePath(QStringLiteral("good/SiteInfo.cfg")), kSiteHeader + text16("Good"));
        ModCrvFile::RegisterSites(dir.path(), sites);
        QCOMPARE(siteNames(sites), QStringList{"Good"});
        break;
    case Failure::ChannelsUnreadable:
        path += kSep + QStringLiteral("DChannel.cfg");
        QVERIFY(QDir().mkpath(path));
        ModCrvFile::LoadDigitalChannels(broken, allocations);
        QCOMPARE(allocations.lastIndex(), 0);
        break;
    case Failure::SaveCutShort:
        path = dir.path() + kSep + QStringLiteral("DChannel.cfg");
        writeFile(path, old);
        AtomicFile::setByteLimitForTesting(100);
        QVERIFY(!SaveCorvaneChannelFile(table, dir.path()));
        AtomicFile::setByteLimitForTesting(-1);
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"DChannel.cfg"});
        break;
    case Failure::ListAFile:
        writeFile(path, "x");
        QCOMPARE(ModFileUtil::ListSubdirectories(path), QStringList{QString()});
        break;
    }
    QCOMPARE(dialogs.messages().size(), 1);
    const MessageRequest box = dialogs.messages()[0];
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QTEST(lines[0], "firstLine");
    QCOMPARE(lines[1], path);
    QVERIFY2(!lines[2].isEmpty(), "the system's description is missing");
    QCOMPARE(box.title, QStringLiteral("ZR415Config"));
    QTEST(box.icon, "icon");
    QCOMPARE(box.buttons, MessageButtons::Ok);
}

void TestCorvane::fileSystemHelpers()
{
    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    writeFile(at("file.txt"), "x");
    for (const char* name : {"Zeta", "alpha", "Mid dle", "9", ".hidden"})
        QVERIFY(QDir().mkpath(at(name)));
    const QString before = QDir::currentPath();
    const QList<bool> facts{
        ModFileUtil::IsDirectory(at("alpha")),   ModFileUtil::IsDirectory(at("file.txt")),
        ModFileUtil::IsDirectory(at("none")),    ModFileUtil::FileExists(at("alpha")),
        ModFileUtil::FileExists(at("file.txt")), ModFileUtil::FileExists(at("none"))};
    QCOMPARE(facts, (QList<bool>{true, false, false, true, true, false}));
    QCOMPARE(QDir::currentPath(), before);

    ScriptedDialogs dialogs;
    const QStringList expected =
        QStringList{QString()} +
        QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    QCOMPARE(ModFileUtil::ListSubdirectories(dir.path()), expected);
    // No such directory: nothing listed, nothing said.
    QCOMPARE(ModFileUtil::ListSubdirectories(at("gone")), QStringList{QString()});
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::driveOfPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");
    QTest::newRow("absolute") << QStringLiteral("C:\\Data\\Sites") << QStringLiteral("c:");
    QTest::newRow("network") << QStringLiteral("\\\\server\\share") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("relative") << QStringLiteral("data\\x") << QStringLiteral("d:");
}

void TestCorvane::driveOfPath()
{
    QFETCH(QString, path);
    QTEST(ModFunc::DriveOfPath(path), "drive");
}

void TestCorvane::converterCorvaneSites_data()
{
    QTest::addColumn<QString>("file"); // what the site folder North holds
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("input"); // below the temporary folder, as are the other paths
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("stderrHolds");
    QTest::addColumn<QString>("written"); // empty when nothing may be written
    QTest::addColumn<QByteArray>("start");

    const QByteArray two = channelFile(2, record("TPR 1") + record("HR 2", -1));
    const QString csv = QStringLiteral("north.csv");
    const QString dchannel = QStringLiteral("DChannel.cfg");
    QTest::newRow("site folder") << dchannel << two << "North" << csv << 0
                                 << QByteArray("2 channels imported\n") << csv
                                 << QByteArray("AA01,TPR 1,Front\r\nAA02,HR 2,Back\r\n"
                                               "AA03,Spare AA03,Front\r\n");
    QTest::newRow("dchannel.CFG with count 0")
        << dchannel << channelFile(0, record("X")) << "North/dchannel.CFG" << csv << 1
        << QByteArray("No channel allocations") << QString() << QByteArray();
    QTest::newRow("no DChannel.cfg")
        << "Other.cfg" << two << "North" << csv << 1 << QByteArray() << QString() << QByteArray();

    // Spare AA01 keeps the back contact of its allocation; the rest are default rows.
    const QByteArray spares = channelFile(2, record(" spare ", -1) + record("TPR 2", -1));
    QByteArray cfg = "K7V2.0 DChannels\x80\x01" + record("Spare AA01", -1) + record("TPR 2", -1);
    for (int channel = 3; channel <= 384; ++channel)
        cfg += record(ChannelTableModel::spareName(channel).toLatin1());
    QTest::newRow("any .cfg name")
        << dchannel << spares << "North"
        << "out/whatever.CFG" << 0 << QByteArray() << "out/DChannel.cfg" << cfg;
    QTest::newRow("existing folder") << dchannel << spares << "North"
                                     << "out" << 0 << QByteArray() << "out/DChannel.cfg" << cfg;
    QTest::newRow(".cfg in a missing folder")
        << dchannel << spares << "North"
        << "gone/whatever.cfg" << 1 << QByteArray("Could not save digital channels config file.")
        << QString() << QByteArray();
}

void TestCorvane::converterCorvaneSites()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QByteArray, stderrHolds);
    QFETCH(QString, written);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("North/") + file), bytes);
    // A stale, longer file where the export goes.
    writeFile(dir.filePath(QStringLiteral("out/DChannel.cfg")), QByteArray(20000, 'x'));
    const ConvertRun run = convert({dir.filePath(input), dir.filePath(output)});
    QTEST(run.status, "status");
    QVERIFY2(run.err.contains(stderrHolds), run.err.constData());
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (written.isEmpty()) {
        QCOMPARE(entries, (QStringList{"North", "out"}));
    } else if (written.endsWith(QLatin1String(".cfg"))) {
        QTEST(readFile(dir.filePath(written)), "start");
        QCOMPARE(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"DChannel.cfg"});
    } else {
        QFETCH(QByteArray, start);
        QVERIFY(readFile(dir.filePath(written)).startsWith(start));
    }
}

// Sites in the order the directories are listed; folders without a site name are no sites.
void TestCorvane::converterListsSites()
{
    QTemporaryDir config;
    const auto site = [&config](const QString& name) { return config.path() + kSep + name; };
    const QMap<QString, QByteArray> names{
        {"b-north", "North Jn"}, {"a-south", "South Yard"}, {"c-blank", " "}, {"d-nameless", ""}};
    for (auto it = names.begin(); it != names.end(); ++it)
        writeFile(site(it.key()) + "/SiteInfo.cfg", kSiteHeader + text16(it.value()));
    QVERIFY(QDir().mkpath(site("e-noinfo")));
    writeFile(site("notes.txt"), "not a site");

    QByteArray expected;
    for (const QString& folder :
         QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (!names.value(folder).isEmpty())
            expected += names.value(folder) + "\t" + site(folder).toLocal8Bit() + "\n";
    }
    const ConvertRun run = convert({"--sites", config.path()});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
    QCOMPARE(run.err, QByteArray());

    QCOMPARE(convert({"--sites", site("missing")}).status, 1);
    QCOMPARE(convert({"--sites", config.path(), "extra"}).status, 2);
}

QTEST_GUILESS_MAIN(TestCorvane)
#include "tst_corvane.moc"
