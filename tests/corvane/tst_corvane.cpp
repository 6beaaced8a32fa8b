#include "common/AtomicFile.h"
#include "common/ModFileUtil.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"
#include "support/CorvaneSite.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Every file here is built from the byte layouts: little-endian 16-bit numbers, texts as a
// byte count and Windows-1252 bytes.
namespace {

const QString kSep = QDir::separator();
const QByteArray kSiteHeader = "K7V2.0 Site Info file";

QByteArray int16(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

QByteArray text16(const QByteArray& bytes)
{
    return int16(int(bytes.size())) + bytes;
}

QByteArray record(const QByteArray& name, int back = 0, const QByteArray& second = {},
                  const QByteArray& third = {})
{
    return text16(name) + text16(second) + text16(third) + int16(back) + int16(0);
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

enum class Failure { SiteInfoUnreadable, ChannelsUnreadable, SaveCutShort, ListAFile };

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestCorvane : public QObject
{
    Q_OBJECT

private slots:
    void fillFromAllocations_data();
    void fillFromAllocations();
    void saveWritesTheLayout();
    void channelRecordsAreRead_data();
    void channelRecordsAreRead();
    void recordsRoundTrip();
    void sitesAreRegistered_data();
    void sitesAreRegistered();
    void failuresAreReported_data();
    void failuresAreReported();
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
    QTest::newRow("17 characters")
        << "ABCDEFGHIJKLMNOPQ" << 1 << 384 << "ABCDEFGHIJKLMNOP"
        << QStringList{"Channel 1 (AA01) changed from \r\n\"ABCDEFGHIJKLMNOPQ\" to\r\n"
                       "\"ABCDEFGHIJKLMNOP\"",
                       "1 channels imported"};
    QTest::newRow("16 characters and blanks")
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
    for (const int row : {1, 300, 1000, last, rows - 1}) {
        if (row >= last && row < rows)
            QCOMPARE(table.channel(row), ChannelTableModel::defaultRow(row + 1));
    }
}

void TestCorvane::saveWritesTheLayout()
{
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
    QVERIFY(SaveCorvaneChannelFile(table, QDir::toNativeSeparators(dir.path())));

    QByteArray records = record("Spare AA01") + record("A RELAY NAME LON", -1) + record("") +
                         record("B\xE4r \x80 ?");
    for (int channel = 5; channel <= 384; ++channel)
        records += record(ChannelTableModel::spareName(channel).toLatin1());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("DChannel.cfg"))), channelFile(384, records));
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

    QTest::newRow("other header") << "XXXXXXXXXXXXXXXX" + int16(1) + record("TPR 1", -1, "2nd") << 1
                                  << 1 << "TPR 1" << true << "2nd";
    // Count 3, but the file holds one and a half records.
    QTest::newRow("cut inside a record")
        << channelFile(3, record("A", -1) + text16("B") + text16("2nd")) << 3 << 2 << "B" << false
        << "2nd";
    // A byte count of 300 with four bytes left: the bytes that are there, nothing beyond.
    QTest::newRow("byte count past the end")
        << channelFile(2, int16(300) + "ABCD") << 2 << 1 << "ABCD" << false << "";
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
    for (int k = 1; k <= 4; ++k) {
        DigitalChannelRecord expected = written.at(k);
        expected.lastField = 0;
        QCOMPARE(read.at(k), expected);
    }
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::sitesAreRegistered_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("lastText");
    // The last text is right only when every field before it was read at its own size.
    QTest::newRow("whole file") << CorvaneSite::siteInfoBytes("Kirkby Jn")
                                << QStringList{"Kirkby Jn"} << "text 15";
    QTest::newRow("cut inside the name")
        << kSiteHeader + QByteArray("\x05\x00Le", 4) << QStringList{"Le"} << "";
    QTest::newRow("other header") << QByteArray("K7V3.1 Something else") + text16("Hull")
                                  << QStringList{"Hull"} << "";
}

void TestCorvane::sitesAreRegistered()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir config;
    writeFile(config.filePath(QStringLiteral("site/SiteInfo.cfg")), bytes);
    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> found{{}, {}, {}};
    // As the selector gives it: with the platform's separators.
    ModCrvFile::RegisterSites(QDir::toNativeSeparators(config.path()), found);
    QTEST(siteNames(found), "sites");
    QTEST(found.value(1).text15, "lastText");
    // The directory stored in the file is not where the site is now.
    QCOMPARE(found.value(1).SiteDir, QDir::toNativeSeparators(config.filePath("site")));
    QVERIFY(found[0].SiteName.isEmpty() && found[0].SiteDir.isEmpty());
    QVERIFY(dialogs.messages().isEmpty());
}

void TestCorvane::failuresAreReported_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<MessageIcon>("icon");
    QTest::newRow("unreadable SiteInfo.cfg")
        << Failure::SiteInfoUnreadable << "Could not load site info file."
        << MessageIcon::Exclamation;
    QTest::newRow("unreadable DChannel.cfg")
        << Failure::ChannelsUnreadable << "Could not load digital channel allocations file."
        << MessageIcon::Information;
    QTest::newRow("disk full keeps the old file")
        << Failure::SaveCutShort << "Could not save digital channels config file."
        << MessageIcon::Exclamation;
    QTest::newRow("listing a file")
        << Failure::ListAFile << "Error while getting subdirectories." << MessageIcon::Exclamation;
}

// A "file" that is a directory cannot be opened, whoever runs the test.
void TestCorvane::failuresAreReported()
{
    QFETCH(Failure, failure);
    QTemporaryDir dir;
    const QString broken = dir.path() + kSep + QStringLiteral("broken");
    const QByteArray old = channelFile(1, record("OLD SITE"));
    QList<SiteInfoRecord> sites;
    DigitalChannelList allocations{{}, {}};
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

QTEST_GUILESS_MAIN(TestCorvane)
#include "tst_corvane.moc"
