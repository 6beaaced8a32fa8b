#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "document/SitePaths.h"
#include "windows/DirSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kSep = QDir::separator();

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void sitePaths_data();
    void sitePaths();

    void newKeepsTheChannelCount();
    void openCsvNamesTheSiteWithoutAFile();
    void failedCsvOpenReportsAndChangesNothing();
    void saveWritesTheSiteFileAndClearsModified();
    void failedSaveKeepsModifiedAndAskAnswersFalse();
    void cancelledOpenAfterNoKeepsEverything();
    void openDialogStartsWithTheLastFileName();
    void dialogSettings_data();
    void dialogSettings();

private:
    ChannelTableModel table;
    DirSettings dirs;
};

void TestDocumentCommands::init()
{
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
    dirs = {QStringLiteral("start") + kSep, QStringLiteral("card") + kSep, QString()};
}

void TestDocumentCommands::sitePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stripped");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<SitePaths::SiteFileType>("type");
    using enum SitePaths::SiteFileType;
    QTest::newRow("in a folder") << "sites" + kSep + "n.dip"
                                 << "sites" + kSep + "n"
                                 << "sites" + kSep << Dip;
    QTest::newRow("root") << kSep + "n.Csv" << kSep + "n" << kSep << Csv;
    QTest::newRow("first dot") << "a.b.DIP"
                               << "a"
                               << "" << Dip;
    QTest::newRow("cfg") << "any.cfg"
                         << "any"
                         << "" << Cfg;
    QTest::newRow("unknown") << "north.xml"
                             << "north"
                             << "" << Unknown;
    QTest::newRow("dot only") << ".dip"
                              << ""
                              << "" << Unknown;
    QTest::newRow("no dot") << "north"
                            << "north"
                            << "" << Unknown;
}

void TestDocumentCommands::sitePaths()
{
    QFETCH(QString, path);
    QFETCH(QString, stripped);
    QFETCH(QString, directory);
    QFETCH(SitePaths::SiteFileType, type);
    QCOMPARE(SitePaths::StripExtension(path), stripped);
    QCOMPARE(SitePaths::DirectoryOf(path), directory);
    QCOMPARE(SitePaths::FileTypeOf(path), type);
}

void TestDocumentCommands::newKeepsTheChannelCount()
{
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    table.SetChannelCount(768, ChannelTableModel::FillAllRows);
    table.setRelayName(400, QStringLiteral("X"));
    commands.SetSiteName(QStringLiteral("north"));
    QSignalSpy captions(&commands, &DocumentCommands::captionChanged);
    commands.NewSite();
    QCOMPARE(table.rowCount(), 768);
    QCOMPARE(table.channel(400).relNam, QStringLiteral("Spare BA17"));
    QCOMPARE(captions.takeLast().first().toString(), QStringLiteral("ZR415 configuration editor"));
    QVERIFY(commands.site().siteName.isEmpty());
}

void TestDocumentCommands::openCsvNamesTheSiteWithoutAFile()
{
    QTemporaryDir dir;
    const QString path = native(dir.filePath(QStringLiteral("south.list.csv")));
    writeFile(path, "AA01,TPR,Back\r\n");
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.setModified(true);
    dialogs.answerNext(MessageAnswer::No);
    dialogs.chooseNext(path);
    commands.OpenSite();
    QCOMPARE(commands.site().siteName, QStringLiteral("south"));
    QVERIFY(commands.site().sitePath.isEmpty());
    QVERIFY(commands.site().siteFileTitle.isEmpty());
    QVERIFY(!commands.isModified());
    QCOMPARE(commands.caption(), QStringLiteral("south - ZR415 configuration editor"));
    QCOMPARE(table.channel(0).relNam, QStringLiteral("TPR"));
    QVERIFY(table.channel(0).back);
    QCOMPARE(dirs.filePath, QStringLiteral("start") + kSep);
    QCOMPARE(dialogs.texts().last(), QStringLiteral("1 channels imported"));
}

void TestDocumentCommands::failedCsvOpenReportsAndChangesNothing()
{
    QTemporaryDir dir;
    const QString path = native(dir.filePath(QStringLiteral("big.csv")));
    writeFile(path, "99999999999,TPR,Back\r\n");
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.SetSiteName(QStringLiteral("kept"));
    commands.setModified(true);
    dialogs.answerNext(MessageAnswer::No);
    dialogs.chooseNext(path);
    commands.OpenSite();
    QCOMPARE(dialogs.texts().last(), QStringLiteral("Error occurred while loading.\r\nOverflow"));
    QCOMPARE(commands.site().siteName, QStringLiteral("kept"));
    QVERIFY(commands.isModified());
}

void TestDocumentCommands::saveWritesTheSiteFileAndClearsModified()
{
    QTemporaryDir dir;
    const QString path = native(dir.filePath(QStringLiteral("east.dip")));
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    dialogs.chooseNext(path);
    QVERIFY(commands.SaveSite()); // no file yet: behaves as Save As
    QCOMPARE(commands.site().sitePath, path);
    QCOMPARE(commands.site().siteFileTitle, QStringLiteral("east.dip"));
    QCOMPARE(dirs.filePath, native(dir.path()) + kSep);
    table.setRelayName(0, QStringLiteral("SECOND"));
    commands.setModified(true);
    QVERIFY(commands.SaveSite());
    QCOMPARE(dialogs.fileRequests().size(), 1);
    QVERIFY(!commands.isModified());
    QCOMPARE(readFile(path).mid(16, 6), QByteArray("SECOND"));
}

void TestDocumentCommands::failedSaveKeepsModifiedAndAskAnswersFalse()
{
    QTemporaryDir dir;
    const QString path = native(dir.filePath(QStringLiteral("missing/east.dip")));
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.setModified(true);
    dialogs.answerNext(MessageAnswer::Yes);
    dialogs.chooseNext(path);
    QVERIFY(!commands.AskSaveChanges());
    QVERIFY(commands.isModified());
    QVERIFY(commands.site().sitePath.isEmpty());
    QCOMPARE(dialogs.messages().size(), 2);
}

void TestDocumentCommands::cancelledOpenAfterNoKeepsEverything()
{
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    table.setRelayName(1, QStringLiteral("MINE"));
    commands.setModified(true);
    dialogs.answerNext(MessageAnswer::No);
    dialogs.chooseNext(std::nullopt);
    commands.OpenSite();
    QCOMPARE(table.channel(1).relNam, QStringLiteral("MINE"));
    QVERIFY(commands.isModified());
    QCOMPARE(dialogs.messages().size(), 1);
}

void TestDocumentCommands::openDialogStartsWithTheLastFileName()
{
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.SetSiteName(QStringLiteral("west"));
    dialogs.chooseNext(std::nullopt);
    commands.SaveSiteAs();
    commands.OpenSite();
    QCOMPARE(dialogs.fileRequests().at(0).fileName, QStringLiteral("west"));
    QCOMPARE(dialogs.fileRequests().at(0).directory, QStringLiteral("start") + kSep);
    QCOMPARE(dialogs.fileRequests().at(1).fileName, QStringLiteral("west"));
}

void TestDocumentCommands::dialogSettings_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("Open") << "open" << false << "Open config file"
                          << "ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv" << 0 << ""
                          << "start" + kSep << "";
    QTest::newRow("Save As") << "saveAs" << true << "Save site as..."
                             << "ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv|"
                                "Corvane cfg files (*.cfg)|*.cfg"
                             << 1 << "dip"
                             << "start" + kSep << "north";
    QTest::newRow("Export") << "export" << true << "Save to CompactFlash card"
                            << "ZR415 dip files (*.dip)|*.dip" << 0 << "dip"
                            << "card" + kSep << "north.dip";
}

void TestDocumentCommands::dialogSettings()
{
    QFETCH(QString, command);
    QFETCH(bool, save);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(QString, suffix);
    QFETCH(QString, directory);
    QFETCH(QString, fileName);

    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.SetSiteName(QStringLiteral("north"));
    dialogs.chooseNext(std::nullopt);
    if (command == "open")
        commands.OpenSite();
    else if (command == "saveAs")
        commands.SaveSiteAs();
    else
        commands.ExportToCard();

    QCOMPARE(dialogs.fileRequests().size(), 1);
    const FileDialogRequest& request = dialogs.fileRequests().first();
    QCOMPARE(request.mode, save ? FileDialogRequest::Mode::Save : FileDialogRequest::Mode::Open);
    QCOMPARE(request.title, title);
    QCOMPARE(request.filter, filter);
    QCOMPARE(request.filterIndex, filterIndex);
    QCOMPARE(request.defaultSuffix, suffix);
    QCOMPARE(request.directory, directory);
    QCOMPARE(request.fileName, fileName);
    // Saves ask before they overwrite; Open takes only a file that is there.
    QCOMPARE(request.confirmOverwrite, save);
    QCOMPARE(request.fileMustExist, !save);
    // A cancelled dialog ends the command silently.
    QVERIFY(dialogs.messages().isEmpty());
    QCOMPARE(commands.caption(), QStringLiteral("north - ZR415 configuration editor"));
}

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
