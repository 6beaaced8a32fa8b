#include "commands/ChannelCount.h"
#include "commands/DocumentCommands.h"
#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "support/DipBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemErrors.h"
#include "support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cerrno>

namespace {

const QString kSep = QDir::separator();
const QString kTitle = "ZR415 configuration editor";

// A one-unit channel file, "NORTH 1" on a back contact and "NORTH 2" first.
QByteArray northDip()
{
    QList<DipChannel> channels{{"NORTH 1", true, "UP", "DN"}, {"NORTH 2"}};
    for (int channel = 3; channel <= 384; ++channel)
        channels.append({"Spare " + ModFunc::ChannelLabel(channel).toLatin1()});
    return dipBytes(channels);
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

    QString pathTo(const QString& name) const
    {
        return QDir::toNativeSeparators(dir->filePath(name));
    }

    void edit(int row, const QString& name)
    {
        QVERIFY(table->setData(table->index(row, ChannelTableModel::ColRelNam), name));
    }

    // Opens north.dip through the Open dialog; it is then the site's file, unmodified.
    void openNorth()
    {
        writeFile(pathTo("north.dip"), northDip());
        dialogs->chooseNext(pathTo("north.dip"));
        commands->OpenSite();
        QCOMPARE(dialogs->texts(), QStringList{"384 channels loaded"});
        dialogs->clear();
    }

    std::unique_ptr<ChannelTableModel> table;
    std::unique_ptr<QAbstractItemModelTester> tester;
    DirSettings dirs;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DocumentCommands> commands;

private slots:
    // The tester's invalid indexes are on purpose.
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }

    void init()
    {
        tester.reset();
        table = std::make_unique<ChannelTableModel>();
        tester = std::make_unique<QAbstractItemModelTester>(
            table.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        table->replaceRows(DefaultRows(384));
        dirs = {"start" + kSep, "card" + kSep, QString()};
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogs>();
        commands = std::make_unique<DocumentCommands>(*table, dirs);
    }

    void cleanup() { QCOMPARE(dialogs->unexpectedQuestions(), 0); }

    // Edits make the site modified; undoing back to the saved state makes it unmodified again.
    void modifiedFollowsTheHistory()
    {
        openNorth();
        edit(0, "EDITED");
        QVERIFY(commands->isModified());
        commands->Undo();
        QVERIFY(!commands->isModified());
        QCOMPARE(table->channel(0).relNam, "NORTH 1");
        commands->Redo();
        QVERIFY(commands->isModified());
        QVERIFY(commands->SaveSite());
        QVERIFY(!commands->isModified());
        commands->Undo();
        QVERIFY(commands->isModified());
    }

    void newKeepsTheChannelCount()
    {
        openNorth();
        QVERIFY(ChannelCount::SetChannelCount(*table, 768, ChannelCount::FillAddedRows));
        edit(767, "X");
        dialogs->answerNext(MessageAnswer::No);
        commands->NewSite();
        QCOMPARE(table->rowCount(), 768);
        QCOMPARE(table->channel(0).relNam, "Spare AA01");
        QCOMPARE(table->channel(767).relNam, "Spare BH48");
        QCOMPARE(commands->caption(), kTitle);
        QVERIFY(!commands->isModified());
        QVERIFY(!commands->history()->canUndo());
    }

    // Another engineer saved the same file meanwhile: No leaves both as they were.
    void saveOverAFileChangedBehindAsksFirst_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("No") << MessageAnswer::No;
        QTest::newRow("Yes") << MessageAnswer::Yes;
    }

    void saveOverAFileChangedBehindAsksFirst()
    {
        QFETCH(MessageAnswer, answer);
        openNorth();
        QVERIFY(!commands->siteFileChanged());
        QByteArray theirs = northDip();
        theirs.replace(16, 7, "THEIRS ");
        writeFile(pathTo("north.dip"), theirs);
        QVERIFY(commands->siteFileChanged());
        edit(1, "MINE");
        dialogs->answerNext(answer);
        QCOMPARE(commands->SaveSite(), answer == MessageAnswer::Yes);
        QCOMPARE(dialogs->texts(),
                 QStringList{"north.dip was changed by another program since you opened it. "
                             "Overwrite it?"});
        QCOMPARE(dialogs->messages().first().buttons, MessageButtons::YesNo);
        const QByteArray onDisk = readFile(pathTo("north.dip"));
        if (answer == MessageAnswer::No) {
            QCOMPARE(onDisk, theirs);
            QVERIFY(commands->isModified());
            QCOMPARE(table->channel(1).relNam, "MINE");
        } else {
            QCOMPARE(onDisk.mid(16 + 40, 4), QByteArray("MINE"));
            QVERIFY(!commands->siteFileChanged());
        }
    }

    // A file only touched, with its bytes as they were, has not changed.
    void touchedFileIsNoChange()
    {
        openNorth();
        QFile file(pathTo("north.dip"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(!commands->siteFileChanged());
        QVERIFY(commands->SaveSite());
        QVERIFY(dialogs->messages().isEmpty());
    }

    void saveWritesTheSiteFileAndClearsModified()
    {
        const QString path = pathTo("east.dip");
        dialogs->chooseNext(path);
        QVERIFY(commands->SaveSite()); // no file yet: behaves as Save As
        QCOMPARE(commands->site().sitePath, path);
        QCOMPARE(dirs.filePath, QDir::toNativeSeparators(dir->path()) + kSep);
        edit(0, "SECOND");
        QVERIFY(commands->SaveSite());
        QCOMPARE(dialogs->fileRequests().size(), 1);
        QVERIFY(!commands->isModified());
        QCOMPARE(readFile(path).mid(16, 6), QByteArray("SECOND"));
    }

    void failedSaveKeepsModifiedAndAskAnswersFalse()
    {
        edit(0, "X");
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
        openNorth();
        commands->OpenSite();
        commands->SaveSiteAs();
        commands->ExportToCard();
        QStringList offered;
        for (const FileDialogRequest& request : dialogs->fileRequests())
            offered.append(QStringList{request.directory, request.fileName, request.defaultSuffix,
                                       request.confirmOverwrite ? "asks" : ""}
                               .join('|'));
        const QString folder = QDir::toNativeSeparators(dir->path()) + kSep;
        QCOMPARE(offered, (QStringList{folder + "|north.dip||", folder + "|north|dip|asks",
                                       "card" + kSep + "|north.dip|dip|asks"}));
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(commands->caption(), "north - " + kTitle);
    }
};

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
