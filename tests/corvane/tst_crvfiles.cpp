#include "common/AtomicFile.h"
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

void writeFile(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<DigitalChannelRecord> loadChannels(const QString& siteDir)
{
    QList<DigitalChannelRecord> allocations;
    ModCrvFile::LoadDigitalChannels(siteDir, allocations);
    return allocations;
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
    ConvertRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void verifyBox(const MessageRequest& box, const QString& firstLine, const QString& path,
               MessageIcon icon)
{
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], firstLine);
    QCOMPARE(lines[1], path);
    QVERIFY2(!lines[2].isEmpty(), "the system's description is missing");
    QCOMPARE(box.title, QStringLiteral("ZR415Config"));
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.buttons, MessageButtons::Ok);
}

} // namespace

class TestCrvFiles : public QObject
{
    Q_OBJECT

private slots:
    void channelRecordsAreReadField_data();
    void channelRecordsAreReadField();
    void siteInfoFieldsKeepTheirOrder();
    void siteInfoCutShort_data();
    void siteInfoCutShort();
    void ansiNamesCrossBothWays();
    void fullSiteSurvivesImportAndExport();
    void unreadableFilesAreReported();
    void failedSaveKeepsTheOldFile();
    void saveIntoMissingFolderIsReported();
    void subdirectoriesInFileSystemOrder();
    void listingAFileIsReported();
    void converterCorvaneInputs_data();
    void converterCorvaneInputs();
    void converterWritesChannelFile_data();
    void converterWritesChannelFile();
    void converterListsSites();
};

void TestCrvFiles::channelRecordsAreReadField_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("back");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("last");

    const QByteArray full = record("TPR 104 LONG NAME 20", -1, "second", "third", 7);
    QTest::newRow("all fields") << channelFile(1, full) << 1 << 1 << "TPR 104 LONG NAME 20" << true
                                << "second" << 7;
    QTest::newRow("odd contact value is back")
        << channelFile(2, record("A") + record("B", 1)) << 2 << 2 << "B" << true << "" << 0;
    QTest::newRow("front contact")
        << channelFile(2, record("A", -1) + record("B", 0)) << 2 << 2 << "B" << false << "" << 0;
    // Count 3, but the file holds one and a half records.
    const QByteArray cut = channelFile(3, record("A", -1) + text16("B") + text16("2nd"));
    QTest::newRow("cut inside a record") << cut << 3 << 2 << "B" << false << "2nd" << 0;
    QTest::newRow("record after the cut is empty") << cut << 3 << 3 << "" << false << "" << 0;
    QTest::newRow("cut inside the count")
        << QByteArray("K7V2.0 DChannels\x02", 17) << 2 << 2 << "" << false << "" << 0;
    // A byte count of 300 with four bytes left: the bytes that are there, nothing beyond.
    QTest::newRow("byte count past the end")
        << channelFile(2, int16(300) + "ABCD") << 2 << 1 << "ABCD" << false << "" << 0;
    QTest::newRow("largest count, no records")
        << channelFile(32767, {}) << 32767 << 32767 << "" << false << "" << 0;
    QTest::newRow("count -32768") << channelFile(-32768, record("A")) << 0 << 0 << "" << false << ""
                                  << 0;
}

void TestCrvFiles::channelRecordsAreReadField()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(int, index);
    QTemporaryDir site;
    writeFile(site.filePath(QStringLiteral("DChannel.cfg")), bytes);
    ScriptedDialogs dialogs;
    const QList<DigitalChannelRecord> allocations = loadChannels(site.path());
    QCOMPARE(allocations.size(), records + 1);
    QVERIFY(dialogs.messages().isEmpty());
    QVERIFY(allocations[0].ChannelName.isEmpty());
    const DigitalChannelRecord& entry = allocations[index];
    QTEST(entry.ChannelName, "name");
    QTEST(entry.BackContact, "back");
    QTEST(entry.text2, "second");
    QTEST(int(entry.lastField), "last");
}

void TestCrvFiles::siteInfoFieldsKeepTheirOrder()
{
    QTemporaryDir config;
    const QString site = config.path() + kSep + QStringLiteral("Kirkby");
    QByteArray bytes = "K7V2.0 Site Info file" + text16("Kirkby Jn") + text16("C:\\old\\place");
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
}

void TestCrvFiles::siteInfoCutShort_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("sites");
    QTest::newRow("zero bytes") << QByteArray() << QStringList();
    QTest::newRow("header only") << QByteArray("K7V2.0 Site Info file") << QStringList();
    QTest::newRow("cut inside the name byte count")
        << QByteArray("K7V2.0 Site Info file\x05", 22) << QStringList();
    QTest::newRow("cut inside the name")
        << QByteArray("K7V2.0 Site Info file\x05\x00Le", 25) << QStringList{"Le"};
    QTest::newRow("name and nothing else")
        << QByteArray("K7V2.0 Site Info file") + text16("Leeds") << QStringList{"Leeds"};
    QTest::newRow("other header") << QByteArray("K7V3.1 Something else") + text16("Hull")
                                  << QStringList{"Hull"};
}

void TestCrvFiles::siteInfoCutShort()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, sites);
    QTemporaryDir config;
    writeFile(config.filePath(QStringLiteral("site/SiteInfo.cfg")), bytes);
    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> found;
    ModCrvFile::RegisterSites(config.path(), found);
    QStringList names;
    for (qsizetype i = 1; i < found.size(); ++i)
        names << found[i].SiteName;
    QCOMPARE(names, sites);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCrvFiles::ansiNamesCrossBothWays()
{
    QTemporaryDir site;
    writeFile(site.filePath(QStringLiteral("DChannel.cfg")),
              channelFile(2, record("\x80 Sign\xE9", -1) + record("\x9F\xFF")));
    ScriptedDialogs dialogs;
    const QList<DigitalChannelRecord> allocations = loadChannels(site.path());
    QCOMPARE(allocations.size(), 3);
    QCOMPARE(allocations[1].ChannelName, QStringLiteral(u"\u20AC Sign\u00E9"));
    QCOMPARE(allocations[2].ChannelName, QStringLiteral(u"\u0178\u00FF"));

    // Written back: one byte a character, "?" for what Windows-1252 cannot hold.
    QList<DigitalChannelRecord> out{{}, {}};
    out[1].ChannelName = QStringLiteral(u"B\u00E4r \u20AC \u03A9");
    QTemporaryDir target;
    QVERIFY(ModCrvFile::SaveDigitalChannels(target.path(), out));
    QCOMPARE(readFile(target.filePath(QStringLiteral("DChannel.cfg"))),
             channelFile(1, record("B\xE4r \x80 ?")));
}

// A full site of 3072 allocations comes back out of the table as the same bytes.
void TestCrvFiles::fullSiteSurvivesImportAndExport()
{
    QByteArray records;
    for (int channel = 1; channel <= 3072; ++channel)
        records += record("R" + QByteArray::number(channel * 7), channel % 5 == 0 ? -1 : 0);
    const QByteArray bytes = channelFile(3072, records);
    QTemporaryDir site;
    writeFile(site.filePath(QStringLiteral("DChannel.cfg")), bytes);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    const QList<DigitalChannelRecord> allocations = loadChannels(site.path());
    QCOMPARE(allocations.size(), 3073);
    QVERIFY(FillFromAllocations(table, allocations));
    QCOMPARE(dialogs.texts(), QStringList{"3072 channels imported"});
    QCOMPARE(table.channel(3071), (ChannelRow{"R21504", false, "UP", "DN"}));
    QCOMPARE(table.channel(4).back, true);

    QTemporaryDir target;
    QVERIFY(SaveCorvaneChannelFile(table, target.path()));
    QCOMPARE(readFile(target.filePath(QStringLiteral("DChannel.cfg"))), bytes);
}

// A "file" that is a directory cannot be opened, whoever runs the test.
void TestCrvFiles::unreadableFilesAreReported()
{
    QTemporaryDir config;
    const QString broken = config.path() + kSep + QStringLiteral("broken");
    QVERIFY(QDir().mkpath(broken + kSep + QStringLiteral("SiteInfo.cfg")));
    QVERIFY(QDir().mkpath(broken + kSep + QStringLiteral("DChannel.cfg")));
    writeFile(config.filePath(QStringLiteral("good/SiteInfo.cfg")),
              "K7V2.0 Site Info file" + text16("Good"));

    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> sites;
    ModCrvFile::RegisterSites(config.path(), sites);
    QCOMPARE(sites.size(), 2);
    QCOMPARE(sites[1].SiteName, QStringLiteral("Good"));
    QCOMPARE(dialogs.messages().size(), 1);
    verifyBox(dialogs.messages()[0], "Could not load site info file.",
              broken + kSep + "SiteInfo.cfg", MessageIcon::Exclamation);

    dialogs.clear();
    QCOMPARE(loadChannels(broken).size(), 1);
    QCOMPARE(dialogs.messages().size(), 1);
    verifyBox(dialogs.messages()[0], "Could not load digital channel allocations file.",
              broken + kSep + "DChannel.cfg", MessageIcon::Information);
}

void TestCrvFiles::failedSaveKeepsTheOldFile()
{
    QTemporaryDir target;
    const QString path = target.path() + kSep + QStringLiteral("DChannel.cfg");
    const QByteArray old = channelFile(1, record("OLD SITE"));
    writeFile(path, old);
    ScriptedDialogs dialogs;
    ChannelTableModel table;
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
    AtomicFile::setByteLimitForTesting(100);
    const bool saved = SaveCorvaneChannelFile(table, target.path());
    AtomicFile::setByteLimitForTesting(-1);
    QVERIFY(!saved);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"DChannel.cfg"});
    QCOMPARE(dialogs.messages().size(), 1);
    verifyBox(dialogs.messages()[0], "Could not save digital channels config file.", path,
              MessageIcon::Exclamation);
}

void TestCrvFiles::saveIntoMissingFolderIsReported()
{
    QTemporaryDir target;
    const QString folder = target.path() + kSep + QStringLiteral("missing") + kSep;
    ScriptedDialogs dialogs;
    QVERIFY(!ModCrvFile::SaveDigitalChannels(folder, {{}, {}}));
    QCOMPARE(dialogs.messages().size(), 1);
    verifyBox(dialogs.messages()[0], "Could not save digital channels config file.",
              folder + "DChannel.cfg", MessageIcon::Exclamation);
    QVERIFY(!QFileInfo::exists(folder));
}

void TestCrvFiles::subdirectoriesInFileSystemOrder()
{
    QTemporaryDir config;
    for (const char* name : {"Zeta", "alpha", "Mid dle", "9", ".hidden"})
        QVERIFY(QDir().mkpath(config.filePath(QString::fromLatin1(name))));
    writeFile(config.filePath(QStringLiteral("a file")), "x");
    QStringList expected{QString()};
    for (const QString& name :
         QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted))
        expected << name;
    QCOMPARE(expected.size(), 5);
    ScriptedDialogs dialogs;
    QCOMPARE(ModFileUtil::ListSubdirectories(config.path()), expected);
    // No such directory: nothing listed, nothing said.
    QCOMPARE(ModFileUtil::ListSubdirectories(config.filePath(QStringLiteral("gone"))),
             QStringList{QString()});
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCrvFiles::listingAFileIsReported()
{
    QTemporaryDir config;
    const QString file = config.path() + kSep + QStringLiteral("notes.txt");
    writeFile(file, "x");
    ScriptedDialogs dialogs;
    QCOMPARE(ModFileUtil::ListSubdirectories(file), QStringList{QString()});
    QCOMPARE(dialogs.messages().size(), 1);
    const QStringList lines = dialogs.messages()[0].text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Error while getting subdirectories."));
    QCOMPARE(lines[1], file);
    QVERIFY(!lines[2].isEmpty());
    QCOMPARE(dialogs.messages()[0].icon, MessageIcon::Exclamation);
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("ZR415Config"));
}

void TestCrvFiles::converterCorvaneInputs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("input"); // below the site folder; empty for the folder itself
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("stderrHolds");
    QTest::addColumn<QByteArray>("csvStart");

    const QByteArray two = channelFile(2, record("TPR 1") + record("HR 2", -1));
    QTest::newRow("site folder") << two << "" << 0 << QByteArray("2 channels imported\n")
                                 << QByteArray("AA01,TPR 1,Front\r\nAA02,HR 2,Back\r\n"
                                               "AA03,Spare AA03,Front\r\n");
    QTest::newRow("DChannel.cfg in any case")
        << two << "dchannel.CFG" << 0 << QByteArray("2 channels imported\n")
        << QByteArray("AA01,TPR 1,Front\r\n");
    QTest::newRow("count 0") << channelFile(0, record("X")) << "" << 1
                             << QByteArray("No channel allocations") << QByteArray();
    QTest::newRow("negative count") << channelFile(-3, record("X")) << "DChannel.cfg" << 1
                                    << QByteArray("No channel allocations") << QByteArray();
    QTest::newRow("cut inside a record")
        << channelFile(3, record("TPR 1") + text16("HR 2")) << "" << 0
        << QByteArray("3 channels imported\n")
        << QByteArray("AA01,TPR 1,Front\r\nAA02,HR 2,Front\r\nAA03,Spare AA03,Front\r\n");
    QTest::newRow("long name cut")
        << channelFile(1, record("ABCDEFGHIJKLMNOPQRS")) << "" << 0
        << QByteArray("Channel 1 (AA01) changed from \n\"ABCDEFGHIJKLMNOPQRS\" to\n"
                      "\"ABCDEFGHIJKLMNOP\"\n")
        << QByteArray("AA01,ABCDEFGHIJKLMNOP,Front\r\n");
}

void TestCrvFiles::converterCorvaneInputs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, input);
    QFETCH(int, status);
    QFETCH(QByteArray, stderrHolds);
    QFETCH(QByteArray, csvStart);
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("North"));
    writeFile(site + QStringLiteral("/DChannel.cfg"), bytes);
    const QString csv = dir.filePath(QStringLiteral("north.csv"));
    const ConvertRun run = convert({input.isEmpty() ? site : site + kSep + input, csv});
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(stderrHolds), run.err.constData());
    if (status == 0) {
        const QByteArray written = readFile(csv);
        QVERIFY(written.startsWith(csvStart));
        QCOMPARE(written.count('\n'), 384);
    } else {
        QVERIFY(!QFileInfo::exists(csv));
    }
}

void TestCrvFiles::converterWritesChannelFile_data()
{
    QTest::addColumn<QString>("output"); // below the temporary folder
    QTest::addColumn<bool>("makeFolder");
    QTest::addColumn<int>("status");
    QTest::newRow("any .cfg name") << "out/whatever.CFG" << true << 0;
    QTest::newRow("existing folder") << "out" << true << 0;
    QTest::newRow("folder with separator") << "out/" << true << 0;
    QTest::newRow(".cfg in a missing folder") << "out/whatever.cfg" << false << 1;
}

void TestCrvFiles::converterWritesChannelFile()
{
    QFETCH(QString, output);
    QFETCH(bool, makeFolder);
    QFETCH(int, status);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("site/DChannel.cfg")),
              channelFile(2, record(" spare ", -1) + record("TPR 2", -1)));
    writeFile(dir.filePath(QStringLiteral("out/DChannel.cfg")), QByteArray(20000, 'x'));
    if (!makeFolder)
        QVERIFY(QDir(dir.filePath(QStringLiteral("out"))).removeRecursively());
    const ConvertRun run = convert({dir.filePath(QStringLiteral("site")), dir.filePath(output)});
    QCOMPARE(run.status, status);
    const QDir out(dir.filePath(QStringLiteral("out")));
    if (status != 0) {
        QVERIFY(!out.exists());
        QVERIFY(run.err.contains("Could not save digital channels config file."));
        return;
    }
    // Spare AA01 keeps the back contact of its allocation; the rest are default rows.
    QByteArray expected = "K7V2.0 DChannels\x80\x01" + record("Spare AA01", -1);
    expected += record("TPR 2", -1);
    for (int channel = 3; channel <= 384; ++channel)
        expected += record(ChannelTableModel::spareName(channel).toLatin1());
    QCOMPARE(readFile(out.filePath(QStringLiteral("DChannel.cfg"))), expected);
    QCOMPARE(out.entryList(QDir::Files | QDir::Hidden), QStringList{"DChannel.cfg"});
}

void TestCrvFiles::converterListsSites()
{
    QTemporaryDir config;
    const auto site = [&config](const QString& name) { return config.path() + kSep + name; };
    const QList<std::pair<QString, QByteArray>> folders{
        {"b-north", text16("North Jn")},
        {"a-south", text16("South Yard")},
        {"c-blank", text16(" ")},
        {"d-nameless", text16("") + text16("D:\\somewhere")},
        {"e-empty", {}}};
    for (const auto& [folder, fields] : folders)
        writeFile(site(folder) + "/SiteInfo.cfg", "K7V2.0 Site Info file" + fields);
    QVERIFY(QDir().mkpath(site("f-noinfo")));

    QByteArray expected;
    for (const QString& folder :
         QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        const QByteArray dir = site(folder).toLocal8Bit();
        if (folder == "b-north")
            expected += "North Jn\t" + dir + "\n";
        else if (folder == "a-south")
            expected += "South Yard\t" + dir + "\n";
        else if (folder == "c-blank")
            expected += " \t" + dir + "\n";
    }
    const ConvertRun run = convert({"--sites", config.path()});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
    QCOMPARE(run.err, QByteArray());

    QCOMPARE(convert({"--sites", site("missing")}).status, 1);
    QCOMPARE(convert({"--sites", config.path(), "extra"}).status, 2);
}

QTEST_GUILESS_MAIN(TestCrvFiles)
#include "tst_crvfiles.moc"
