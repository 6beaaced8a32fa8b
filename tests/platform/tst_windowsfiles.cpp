// Channel files under Windows' own rules: drive letters and backslashes through every reader and
// writer, Corvane files named in any letter case, and a file that another program holds open.
#include "commands/DocumentCommands.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "support/CorvaneSite.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Format { Dip, Csv, Cfg, Card };

const QStringList kNames{"K101", "Home HR", "Weiche 12", "TPR 4", "Signal A/B", "XR", "P7", "Q8"};
const QString kContacts = "BFFBBFFB";

void fillSite(ChannelTableModel& table)
{
    ChannelRows rows = DefaultRows(384);
    for (int row = 0; row < kNames.size(); ++row) {
        rows[row].relNam = kNames[row];
        rows[row].back = kContacts[row] == u'B';
    }
    table.replaceRows(rows);
}

// The first rows' names and contacts, in the form of kNames and kContacts.
QStringList firstRows(const ChannelTableModel& table)
{
    QStringList rows;
    for (int row = 0; row < kNames.size() && table.hasRow(row); ++row)
        rows << table.channel(row).relNam + (table.channel(row).back ? " B" : " F");
    return rows;
}

QStringList expectedRows()
{
    QStringList rows;
    for (int row = 0; row < kNames.size(); ++row)
        rows << kNames[row] + ' ' + kContacts[row];
    return rows;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Another program holding `path` open with the sharing it grants ("r", "w", "d" or "-").
class HeldOpen
{
public:
    HeldOpen(const QString& path, const QString& sharing)
    {
        process_.start(ZR415_HOLD_OPEN_EXE, {QDir::toNativeSeparators(path), sharing});
        holding_ = process_.waitForReadyRead(30000) && process_.readAll().startsWith("open");
    }
    ~HeldOpen()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(30000))
            process_.kill();
    }
    bool holding() const { return holding_; }

private:
    QProcess process_;
    bool holding_ = false;
};

} // namespace

Q_DECLARE_METATYPE(Format)

class TestWindowsFiles : public QObject
{
    Q_OBJECT

private slots:
    void everyFormatTakesWindowsPaths_data();
    void everyFormatTakesWindowsPaths();
    void corvaneNamesInAnyCase();
    void saveOverAFileHeldOpen_data();
    void saveOverAFileHeldOpen();
};

void TestWindowsFiles::everyFormatTakesWindowsPaths_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("readNotice");
    QTest::newRow("Save As .dip") << Format::Dip << "north.dip"
                                  << "384 channels loaded";
    QTest::newRow("Save As .CSV") << Format::Csv << "NORTH.CSV"
                                  << "384 channels imported";
    QTest::newRow("Save As .cfg, then Import") << Format::Cfg << "any.cfg"
                                               << "384 channels imported";
    QTest::newRow("Export to card") << Format::Card << "north.dip"
                                    << "384 channels loaded";
}

// Written to and read from "C:\...\Site Files\North\<file>", as the file dialogs answer.
void TestWindowsFiles::everyFormatTakesWindowsPaths()
{
    QFETCH(Format, format);
    QFETCH(QString, fileName);
    QFETCH(QString, readNotice);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir().mkpath(dir.filePath("Site Files/North")));
    const QString folder = QDir::toNativeSeparators(dir.filePath("Site Files/North"));
    QVERIFY2(folder.size() > 3 && folder[1] == u':' && folder.contains(u'\\'), qPrintable(folder));
    const QString path = folder + '\\' + fileName;

    ChannelTableModel table;
    fillSite(table);
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    ScriptedDialogs dialogs;
    dialogs.chooseNext(path);
    if (format == Format::Card)
        commands.ExportToCard();
    else
        QVERIFY(commands.SaveSiteAs());
    QCOMPARE(dialogs.texts(), QStringList());
    const QString written = format == Format::Cfg ? "DChannel.cfg" : fileName;
    QCOMPARE(entries(dir.filePath("Site Files/North")), QStringList{written});
    if (format == Format::Card)
        QCOMPARE(dirs.cfPath, folder + '\\');

    ChannelTableModel read;
    read.replaceRows(DefaultRows(384));
    DirSettings readDirs;
    DocumentCommands reader(read, readDirs);
    if (format == Format::Cfg) {
        reader.setSiteChooser([&] {
            return ChosenSite{ChosenSite::Button::Load, "North", folder};
        });
        reader.ImportCorvaneAllocations();
    } else {
        dialogs.chooseNext(path);
        reader.OpenSite();
    }
    QCOMPARE(dialogs.texts(), QStringList{readNotice});
    QCOMPARE(firstRows(read), expectedRows());
}

// Corvane wrote these names in capitals on some sites; Windows finds them in any case, and a
// save replaces the file instead of adding a second one (Windows gives it the name saved).
void TestWindowsFiles::corvaneNamesInAnyCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString site = QDir::toNativeSeparators(dir.filePath("NORTH"));
    writeFile(dir.filePath("NORTH/SITEINFO.CFG"), CorvaneSite::siteInfoBytes("North Junction"));
    CorvaneSite::writeOneAllocation(site);
    QVERIFY(QFile::rename(dir.filePath("NORTH/DChannel.cfg"), dir.filePath("NORTH/dchannel.CFG")));
    const QByteArray before = readFile(dir.filePath("NORTH/dchannel.CFG"));

    QCOMPARE(ModCrvFile::LoadSiteInfo(site).record.SiteName, "North Junction");

    ChannelTableModel table;
    table.replaceRows(DefaultRows(384));
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    commands.setSiteChooser([&] {
        return ChosenSite{ChosenSite::Button::Load, "North Junction", site};
    });
    ScriptedDialogs dialogs;
    commands.ImportCorvaneAllocations();
    QCOMPARE(dialogs.texts(), QStringList{"1 channels imported"});
    QCOMPARE(table.channel(0).relNam, "TPR 1");
    dialogs.clear();

    QVERIFY(table.setData(table.index(1, ChannelTableModel::ColRelNam), "TPR 2"));
    dialogs.chooseNext(site + "\\north.cfg");
    dialogs.answerNext(MessageAnswer::Yes);
    QVERIFY(commands.SaveSiteAs());
    QCOMPARE(dialogs.texts(), QStringList{site + " already holds a DChannel.cfg. Replace it?"});
    const QStringList names = entries(dir.filePath("NORTH"));
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.filter("DChannel.cfg", Qt::CaseInsensitive).size(), 1);
    QVERIFY(names.contains("SITEINFO.CFG"));
    QVERIFY(readFile(dir.filePath("NORTH/dchannel.CFG")) != before);
    ChannelTableModel read;
    read.replaceRows(DefaultRows(384));
    DocumentCommands reader(read, dirs);
    reader.setSiteChooser([&] {
        return ChosenSite{ChosenSite::Button::Load, "North Junction", site};
    });
    reader.ImportCorvaneAllocations();
    QCOMPARE(read.channel(1).relNam, "TPR 2");
}

void TestWindowsFiles::saveOverAFileHeldOpen_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("sharing");
    QTest::addColumn<bool>("mayReplace"); // false: the save must fail
    // Without delete sharing nobody may replace the file; with it, Windows decides.
    QTest::newRow("Save, held without sharing") << "north.dip"
                                                << "-" << false;
    QTest::newRow("Save As .csv, held for reading as a spreadsheet does") << "north.csv"
                                                                          << "r" << false;
    QTest::newRow("Save, held with full sharing") << "north.dip"
                                                  << "rwd" << true;
}

// Either the save fails with the system's reason and the old file stays byte for byte, or the
// file holds exactly what an undisturbed save writes; never a temporary file left behind.
void TestWindowsFiles::saveOverAFileHeldOpen()
{
    QFETCH(QString, fileName);
    QFETCH(QString, sharing);
    QFETCH(bool, mayReplace);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = QDir::toNativeSeparators(dir.filePath(fileName));
    const bool saveAs = fileName.endsWith(".csv");
    // Save writes over the site's own channel file, which must first open.
    const QByteArray old = saveAs ? QByteArray(20000, 'o') : EncodeDipFile(DefaultRows(384));
    writeFile(path, old);

    ChannelTableModel table;
    table.replaceRows(DefaultRows(384));
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    ScriptedDialogs dialogs;
    if (!saveAs) {
        dialogs.chooseNext(path);
        commands.OpenSite();
        dialogs.clear();
    }
    QVERIFY(table.setData(table.index(0, ChannelTableModel::ColRelNam), "EDITED"));
    bool saved = false;
    {
        HeldOpen holder(path, sharing);
        QVERIFY(holder.holding());
        if (saveAs)
            dialogs.chooseNext(path);
        saved = saveAs ? commands.SaveSiteAs() : commands.SaveSite();
    }

    QCOMPARE(entries(dir.path()), QStringList{fileName});
    if (!saved) {
        QCOMPARE(dialogs.texts().size(), 1);
        const QString prefix = "Error occurred while saving.\r\n";
        QVERIFY2(dialogs.texts()[0].startsWith(prefix) && dialogs.texts()[0].size() > prefix.size(),
                 qPrintable(dialogs.texts()[0]));
        QCOMPARE(readFile(path), old);
        QVERIFY(commands.isModified());
        return;
    }
    QVERIFY2(mayReplace, "replaced a file that its holder did not let go");
    QCOMPARE(dialogs.texts(), QStringList());
    const QString undisturbed =
        QDir::toNativeSeparators(dir.filePath("undisturbed" + fileName.right(4)));
    dialogs.chooseNext(undisturbed);
    QVERIFY(commands.SaveSiteAs());
    QCOMPARE(readFile(path), readFile(undisturbed));
}

QTEST_GUILESS_MAIN(TestWindowsFiles)
#include "tst_windowsfiles.moc"
