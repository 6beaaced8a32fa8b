// The Corvane site files below the import: which folders are sites, what a SiteInfo.cfg gives,
// and the fields of DChannel.cfg that the import itself never fills. The import's own cases
// are golden files (tests/data/corvane).
#include "corvane/ModCrvFile.h"
#include "support/CorvaneSite.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using CorvaneSite::siteInfoBytes;
using CorvaneSite::textField;

QByteArray int16(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestModCrvFile : public QObject
{
    Q_OBJECT

private slots:
    // Sites in the order the folders are listed; a folder without a SiteInfo.cfg or with an empty
    // name is no site, a name of blanks is one.
    void sitesInListingOrder()
    {
        QTemporaryDir dir;
        const QString config = native(dir.path());
        const QMap<QString, QByteArray> names{{"b-north", "North Jn"},
                                              {"a-south", "South Yard"},
                                              {"c-blank", " "},
                                              {"d-nameless", ""}};
        for (auto it = names.begin(); it != names.end(); ++it)
            writeFile(dir.filePath(it.key() + "/SiteInfo.cfg"), siteInfoBytes(it.value()));
        QVERIFY(QDir().mkpath(dir.filePath("e-noinfo")));
        writeFile(dir.filePath("notes.txt"), "not a site");

        QStringList expected;
        for (const QString& folder :
             QDir(config).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)) {
            if (!names.value(folder).isEmpty())
                expected << names.value(folder) + " | " + config + QDir::separator() + folder;
        }
        const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(config);
        QStringList found;
        for (qsizetype i = 1; i < scan.sites.size(); ++i)
            found << scan.sites[i].SiteName + " | " + scan.sites[i].SiteDir;
        QCOMPARE(found, expected);
        QCOMPARE(expected.size(), 3);
        QVERIFY(scan.sites[0].SiteName.isEmpty() && scan.sites[0].SiteDir.isEmpty());
        QVERIFY(scan.failures.isEmpty());
    }

    void siteInfoFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<QByteArray>("lastData");
        // The last text is right only when every field before it was read at its own size.
        QTest::newRow("whole file") << siteInfoBytes("Kirkby Jn") << true << "Kirkby Jn"
                                    << "text 15" << QByteArray(16, 14);
        // Fields the file cuts off read as empty texts and zero bytes.
        QTest::newRow("cut inside the name")
            << QByteArray("K7V2.0 Site Info file") + QByteArray("\x05\x00Le", 4) << true << "Le"
            << "" << QByteArray(16, 0);
        QTest::newRow("no file") << QByteArray() << false << ""
                                 << "" << QByteArray();
    }

    // SiteDir is the folder the file was read from, never what the file stored.
    void siteInfoFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, found);
        QTemporaryDir dir;
        const QString site = native(dir.filePath("site"));
        QVERIFY(QDir().mkpath(site));
        if (found)
            writeFile(site + "/SiteInfo.cfg", bytes);
        const ModCrvFile::SiteInfoRead read = ModCrvFile::LoadSiteInfo(site);
        QCOMPARE(read.found, found);
        QVERIFY(!read.failure);
        QTEST(read.record.SiteName, "name");
        QTEST(read.record.text15, "lastText");
        QTEST(read.record.data14, "lastData");
        QCOMPARE(read.record.SiteDir, found ? site : QString());
    }

    // The second and third texts go out and come back as they are; the last field is written 0.
    void channelRecordsRoundTrip()
    {
        QTemporaryDir dir;
        const DigitalChannelList written{{},
                                         {"TPR 1", "second", "third", true, 7},
                                         {"", "", "", false, 0},
                                         {"TPR 3", "", "3rd", false, 9}};
        QVERIFY(ModCrvFile::SaveDigitalChannels(dir.path(), written));
        QCOMPARE(readFile(dir.filePath("DChannel.cfg")),
                 "K7V2.0 DChannels" + int16(3) + textField("TPR 1") + textField("second") +
                     textField("third") + int16(-1) + int16(0) + textField("") + textField("") +
                     textField("") + int16(0) + int16(0) + textField("TPR 3") + textField("") +
                     textField("3rd") + int16(0) + int16(0));
        const ModCrvFile::AllocationsRead read = ModCrvFile::LoadDigitalChannels(dir.path());
        QVERIFY(!read.failure);
        DigitalChannelList expected = written;
        for (DigitalChannelRecord& record : expected)
            record.lastField = 0;
        QCOMPARE(read.allocations, expected);
    }

    void scanFailures_data()
    {
        QTest::addColumn<QString>("config"); // below the temporary folder
        QTest::addColumn<QString>("failed"); // the path named, below the temporary folder
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sites");
        // A SiteInfo.cfg that cannot be read is told; the scan goes on.
        QTest::newRow("unreadable SiteInfo.cfg") << ""
                                                 << "broken/SiteInfo.cfg"
                                                 << "Could not load site info file." << 2;
        QTest::newRow("a file, no folder") << "good/SiteInfo.cfg"
                                           << "good/SiteInfo.cfg"
                                           << "Error while getting subdirectories." << 1;
    }

    void scanFailures()
    {
        QFETCH(QString, config);
        QFETCH(QString, failed);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("broken/SiteInfo.cfg")));
        writeFile(dir.filePath("good/SiteInfo.cfg"), siteInfoBytes("Good"));
        const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(native(dir.filePath(config)));
        QTEST(int(scan.sites.size()), "sites");
        QCOMPARE(scan.sites.last().SiteName, scan.sites.size() == 2 ? "Good" : "");
        QCOMPARE(scan.failures.size(), 1);
        const QStringList lines = scan.failures[0].text.split("\r\n");
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], text);
        QCOMPARE(lines[1], native(dir.filePath(failed)));
        QVERIFY2(!lines[2].isEmpty(), "the system's description is missing");
        QCOMPARE(scan.failures[0].title, "ZR415Config");
        QCOMPARE(scan.failures[0].icon, MessageIcon::Exclamation);
    }
};

QTEST_GUILESS_MAIN(TestModCrvFile)
#include "tst_modcrvfile.moc"
