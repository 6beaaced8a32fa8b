#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "document/SitePaths.h"
#include "windows/DirSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace {

const QString kSep = QDir::separator();
const QString kTitle = "ZR415 configuration editor";

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sitePaths_data();
    void sitePaths();
    void newKeepsTheChannelCount();
    void openSite_data();
    void openSite();
    void saveWritesTheSiteFileAndClearsModified();
    void failedSaveKeepsModifiedAndAskAnswersFalse();
    void dialogSettings_data();
    void dialogSettings();

private:
    // A path in the test's folder, with the separators a file dialog hands over.
    QString pathTo(const QString& name) const
    {
        return QDir::toNativeSeparators(dir->filePath(name));
    }

    ChannelTableModel table;
    DirSettings dirs;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DocumentCommands> commands;
};

void TestDocumentCommands::init()
{
    QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
    dirs = {"start" + kSep, "card" + kSep, QString()};
    dir = std::make_unique<QTemporaryDir>();
    dialogs = std::make_unique<ScriptedDialogs>();
    commands = std::make_unique<DocumentCommands>(table, dirs);
}

void TestDocumentCommands::sitePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stripped");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<SitePaths::SiteFileType>("type");
    using enum SitePaths::SiteFileType;
    const auto row = [](const char* name, const QString& path, const QString& stripped,
                        const QString& directory, SitePaths::SiteFileType type) {
        QTest::newRow(name) << path << stripped << directory << type;
    };
    row("in a folder", "sites" + kSep + "n.dip", "sites" + kSep + "n", "sites" + kSep, Dip);
    row("root", kSep + "n.Csv", kSep + "n", kSep, Csv);
    row("first dot", "a.b.DIP", "a", "", Dip);
    row("cfg", "any.cfg", "any", "", Cfg);
    row("too short for a type", ".dip", "", "", Unknown);
    row("no dot", "north", "north", "", Unknown);
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
    QVERIFY(table.SetChannelCount(768, ChannelTableModel::FillAllRows));
    table.setRelayName(0, QStringLiteral("X"));
    table.setRelayName(767, QStringLiteral("X"));
    commands->SetSiteName(QStringLiteral("north"));
    QSignalSpy captions(commands.get(), &DocumentCommands::captionChanged);
    commands->NewSite();
    QCOMPARE(table.rowCount(), 768);
    QCOMPARE(table.channel(0).relNam, QStringLiteral("Spare AA01"));
    QCOMPARE(table.channel(767).relNam, QStringLiteral("Spare BH48"));
    QCOMPARE(captions.takeLast().first().toString(), kTitle);
    QVERIFY(commands->site().siteName.isEmpty());
}

// Open on a modified site after the answer No: a list is read, a failed one or a cancelled
// dialog leaves the site, its edits and its modified state as they were.
void TestDocumentCommands::openSite_data()
{
    QTest::addColumn<QByteArray>("list"); // empty: the dialog is cancelled
    QTest::addColumn<QString>("siteName");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("firstName");
    QTest::newRow("list names the site")
        << QByteArray("AA01,TPR,Back\r\n") << "south" << false << "1 channels imported"
        << "TPR";
    QTest::newRow("failed list") << QByteArray("99999999999,TPR,Back\r\n") << "kept" << true
                                 << "Error occurred while loading.\r\nOverflow"
                                 << "Spare AA01";
    QTest::newRow("cancelled dialog") << QByteArray() << "kept" << true << ""
                                      << "Spare AA01";
}

void TestDocumentCommands::openSite()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, siteName);
    QFETCH(bool, modified);
    QFETCH(QString, message);
    QFETCH(QString, firstName);
    table.setRelayName(1, QStringLiteral("MINE"));
    commands->SetSiteName(QStringLiteral("kept"));
    commands->setModified(true);
    dialogs->answerNext(MessageAnswer::No);
    if (list.isEmpty()) {
        dialogs->chooseNext(std::nullopt);
    } else {
        writeFile(pathTo("south.list.csv"), list);
        dialogs->chooseNext(pathTo("south.list.csv"));
    }
    commands->OpenSite();
    QStringList messages{"Save this site before closing?"};
    if (!message.isEmpty())
        messages.append(message);
    QCOMPARE(dialogs->texts(), messages);
    QCOMPARE(commands->site().siteName, siteName);
    QCOMPARE(commands->caption(), siteName + " - " + kTitle);
    QCOMPARE(commands->isModified(), modified);
    // A list names the site but is no channel file that Save could write back to.
    QVERIFY(commands->site().sitePath.isEmpty());
    QVERIFY(commands->site().siteFileTitle.isEmpty());
    QCOMPARE(dirs.filePath, "start" + kSep);
    QCOMPARE(table.channel(0).relNam, firstName);
    QCOMPARE(table.channel(1).relNam, QStringLiteral("MINE"));
}

void TestDocumentCommands::saveWritesTheSiteFileAndClearsModified()
{
    const QString path = pathTo("east.dip");
    dialogs->chooseNext(path);
    QVERIFY(commands->SaveSite()); // no file yet: behaves as Save As
    QCOMPARE(commands->site().sitePath, path);
    QCOMPARE(commands->site().siteFileTitle, QStringLiteral("east.dip"));
    QCOMPARE(dirs.filePath, QDir::toNativeSeparators(dir->path()) + kSep);
    table.setRelayName(0, QStringLiteral("SECOND"));
    commands->setModified(true);
    QVERIFY(commands->SaveSite());
    QCOMPARE(dialogs->fileRequests().size(), 1);
    QVERIFY(!commands->isModified());
    QCOMPARE(readFile(path).mid(16, 6), QByteArray("SECOND"));
}

void TestDocumentCommands::failedSaveKeepsModifiedAndAskAnswersFalse()
{
    commands->setModified(true);
    dialogs->answerNext(MessageAnswer::Yes);
    dialogs->chooseNext(pathTo("missing/east.dip"));
    QVERIFY(!commands->AskSaveChanges());
    QVERIFY(commands->isModified());
    QVERIFY(commands->site().sitePath.isEmpty());
    QCOMPARE(dialogs->texts(), (QStringList{"Save this site before closing?",
                                            "Error occurred while saving.\r\n" +
                                                QString::fromLocal8Bit(std::strerror(ENOENT))}));
}

void TestDocumentCommands::dialogSettings_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("Open") << "open"
                          << "Open config file"
                          << "ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv" << 0 << ""
                          << "start" + kSep << "";
    QTest::newRow("Save As") << "saveAs"
                             << "Save site as..."
                             << "ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv|"
                                "Corvane cfg files (*.cfg)|*.cfg"
                             << 1 << "dip"
                             << "start" + kSep << "north";
    QTest::newRow("Export") << "export"
                            << "Save to CompactFlash card"
                            << "ZR415 dip files (*.dip)|*.dip" << 0 << "dip"
                            << "card" + kSep << "north.dip";
}

void TestDocumentCommands::dialogSettings()
{
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(QString, suffix);
    QFETCH(QString, directory);
    QFETCH(QString, fileName);
    const bool save = command != "open";
    commands->SetSiteName(QStringLiteral("north"));
    if (command == "open")
        commands->OpenSite();
    else if (command == "saveAs")
        commands->SaveSiteAs();
    else
        commands->ExportToCard();

    QCOMPARE(dialogs->fileRequests().size(), 1);
    const FileDialogRequest& request = dialogs->fileRequests().first();
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
    QVERIFY(dialogs->messages().isEmpty());
    QCOMPARE(commands->caption(), "north - " + kTitle);
    // The next Open offers the name this dialog offered.
    commands->OpenSite();
    QCOMPARE(dialogs->fileRequests().last().fileName, fileName);
}

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
