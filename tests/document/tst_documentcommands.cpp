#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemErrors.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <cerrno>

namespace {

const QString kSep = QDir::separator();
const QString kTitle = "ZR415 configuration editor";

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

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

private slots:
    void init()
    {
        QVERIFY(table.SetChannelCount(384, ChannelTableModel::FillAllRows));
        dirs = {"start" + kSep, "card" + kSep, QString()};
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogs>();
        commands = std::make_unique<DocumentCommands>(table, dirs);
    }

    void newKeepsTheChannelCount()
    {
        QVERIFY(table.SetChannelCount(768, ChannelTableModel::FillAllRows));
        table.setRelayName(767, QStringLiteral("X"));
        commands->SetSiteName(QStringLiteral("north"));
        commands->NewSite();
        QCOMPARE(table.rowCount(), 768);
        QCOMPARE(table.channel(767).relNam, QStringLiteral("Spare BH48"));
        QCOMPARE(commands->caption(), kTitle);
    }

    // Open on a modified site after the answer No: a list is read, a failed one or a cancelled
    // dialog leaves the site, its edits and its modified state as they were.
    void openSite_data()
    {
        QTest::addColumn<QByteArray>("list"); // empty: the dialog is cancelled
        QTest::addColumn<QString>("siteName");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("list names the site") << QByteArray("AA01,TPR,Back\r\n") << "south"
                                             << "1 channels imported"
                                             << "TPR";
        QTest::newRow("failed list") << QByteArray("99999999999,TPR,Back\r\n") << "kept"
                                     << "Error occurred while loading.\r\nOverflow"
                                     << "Spare AA01";
        QTest::newRow("cancelled dialog") << QByteArray() << "kept"
                                          << ""
                                          << "Spare AA01";
    }

    void openSite()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, siteName);
        QFETCH(QString, message);
        QFETCH(QString, firstName);
        table.setRelayName(1, QStringLiteral("MINE"));
        commands->SetSiteName(QStringLiteral("kept"));
        commands->setModified(true);
        dialogs->answerNext(MessageAnswer::No);
        if (!list.isEmpty())
            writeFile(pathTo("south.list.CSV"), list);
        dialogs->chooseNext(list.isEmpty() ? std::nullopt
                                           : std::optional<QString>(pathTo("south.list.CSV")));
        commands->OpenSite();
        QStringList messages{"Save this site before closing?"};
        if (!message.isEmpty())
            messages.append(message);
        QCOMPARE(dialogs->texts(), messages);
        QCOMPARE(commands->caption(), siteName + " - " + kTitle);
        QCOMPARE(commands->isModified(), siteName == "kept");
        // A list names the site but is no channel file that Save could write back to.
        QVERIFY(commands->site().sitePath.isEmpty());
        QCOMPARE(dirs.filePath, "start" + kSep);
        QCOMPARE(table.channel(0).relNam, firstName);
        QCOMPARE(table.channel(1).relNam, QStringLiteral("MINE"));
    }

    void saveWritesTheSiteFileAndClearsModified()
    {
        const QString path = pathTo("east.dip");
        dialogs->chooseNext(path);
        QVERIFY(commands->SaveSite()); // no file yet: behaves as Save As
        QCOMPARE(commands->site().sitePath, path);
        QCOMPARE(dirs.filePath, QDir::toNativeSeparators(dir->path()) + kSep);
        table.setRelayName(0, QStringLiteral("SECOND"));
        commands->setModified(true);
        QVERIFY(commands->SaveSite());
        QCOMPARE(dialogs->fileRequests().size(), 1);
        QVERIFY(!commands->isModified());
        QCOMPARE(readFile(path).mid(16, 6), QByteArray("SECOND"));
    }

    void failedSaveKeepsModifiedAndAskAnswersFalse()
    {
        commands->setModified(true);
        dialogs->answerNext(MessageAnswer::Yes);
        dialogs->chooseNext(pathTo("missing/east.dip"));
        QVERIFY(!commands->AskSaveChanges());
        QVERIFY(commands->isModified());
        QVERIFY(commands->site().sitePath.isEmpty());
        QCOMPARE(dialogs->texts(),
                 (QStringList{"Save this site before closing?",
                              "Error occurred while saving.\r\n" + systemDescription(ENOENT)}));
    }

    // Where each dialog starts and what it offers; saves ask before they overwrite, and a
    // cancelled dialog ends the command silently.
    void dialogSettings()
    {
        commands->SetSiteName(QStringLiteral("north"));
        commands->OpenSite();
        commands->SaveSiteAs();
        commands->ExportToCard();
        QStringList offered;
        for (const FileDialogRequest& request : dialogs->fileRequests())
            offered.append(QStringList{request.directory, request.fileName, request.defaultSuffix,
                                       request.confirmOverwrite ? "asks" : ""}
                               .join('|'));
        QCOMPARE(offered, (QStringList{"start" + kSep + "|||", "start" + kSep + "|north|dip|asks",
                                       "card" + kSep + "|north.dip|dip|asks"}));
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(commands->caption(), "north - " + kTitle);
    }
};

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
