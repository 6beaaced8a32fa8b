// Nothing typed is lost when the editor ends without closing: the next start offers it back.
#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/TestSettings.h"
#include "support/WindowParts.h"
#include "windows/FrmDips.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestRecovery : public QObject
{
    Q_OBJECT

    // The recovery copies kept now.
    QStringList copies() const
    {
        return QDir(SiteRecovery::defaultFolder()).entryList({"*.zr415-recovery"}, QDir::Files);
    }

    // Runs the test editor on north.dip in `mode`; answers its standard output.
    QString runEditor(const QString& mode, bool kill)
    {
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home->path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        editor.setProcessEnvironment(environment);
        // Wine now and then fails to create a process while another test starts its own.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            editor.start(ZR415_RECOVERY_EDITOR, {site, mode});
            started = editor.waitForStarted();
        }
        if (!started)
            return "not started: " + editor.errorString();
        QString output;
        QDeadlineTimer deadline(30000);
        while (!output.contains('\n') && !deadline.hasExpired() &&
               editor.state() == QProcess::Running) {
            editor.waitForReadyRead(100);
            output += QString::fromLocal8Bit(editor.readAllStandardOutput());
        }
        if (kill)
            editor.kill(); // SIGKILL: nothing of the editor's own runs any more
        editor.waitForFinished();
        return output + QString::fromLocal8Bit(editor.readAllStandardOutput());
    }

    std::unique_ptr<QTemporaryDir> home;
    QString site;

private slots:
    // The copies live in the application's data folder, named after the editor.
    void initTestCase() { QCoreApplication::setApplicationName("ZR415Config"); }

    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        qputenv("HOME", QFile::encodeName(home->path()));
        QStandardPaths::setTestModeEnabled(true);
        useTestSettings();
        // Where HOME does not place the data folder (Windows), copies of an earlier run stay.
        QDir(SiteRecovery::defaultFolder()).removeRecursively();
        site = QDir::toNativeSeparators(home->filePath("north.dip"));
        writeFile(site, EncodeDipFile(DefaultRows(384)));
    }

    void killedEditorsEditsAreRestored()
    {
        const QString output = runEditor("wait", true);
        QVERIFY2(output.startsWith("READY "), qPrintable(output));
        QCOMPARE(copies().size(), 1);

        ScriptedDialogs dialogs;
        dialogs.answerNext(MessageAnswer::Restore);
        FrmDips window;
        auto& recovery = partOf<SiteRecovery>(window);
        QVERIFY(recovery.offerLeftCopies());
        QCOMPARE(dialogs.messages().size(), 1);
        const MessageRequest question = dialogs.messages().first();
        QVERIFY2(QRegularExpression("^Restore the unsaved changes to north from \\d\\d:\\d\\d\\?$")
                     .match(question.text)
                     .hasMatch(),
                 qPrintable(question.text));
        QCOMPARE(question.buttons, MessageButtons::RestoreDiscard);
        auto& table = partOf<ChannelTableModel>(window);
        QCOMPARE(table.rowCount(), 768);
        QCOMPARE(table.channel(0).relNam, "RECOVER ME");
        QVERIFY(table.channel(5).back);
        QCOMPARE(window.windowTitle(), "north[*] - ZR415 configuration editor");
        QVERIFY(window.isWindowModified());
        // The restored site is this editor's now: one copy, its own.
        QCOMPARE(copies(), QStringList{QFileInfo(recovery.copyPath()).fileName()});
        recovery.discard();
    }

    void closedEditorLeavesNoCopy()
    {
        QCOMPARE(runEditor("close", false).trimmed(), "CLOSED");
        QVERIFY(copies().isEmpty());
    }

    // Two editors at once keep a copy each, and neither is offered while both run. Discard
    // removes a left copy; closing the box keeps it for the next start.
    void eachEditorKeepsItsOwnCopy()
    {
        const auto makeSite = [] {
            auto table = std::make_shared<ChannelTableModel>();
            table->replaceRows(DefaultRows(384));
            return table;
        };
        DirSettings dirs;
        auto firstTable = makeSite();
        auto secondTable = makeSite();
        DocumentCommands first(*firstTable, dirs);
        DocumentCommands second(*secondTable, dirs);
        auto firstCopy =
            std::make_unique<SiteRecovery>(first, *firstTable, SiteRecovery::defaultFolder());
        SiteRecovery secondCopy(second, *secondTable, SiteRecovery::defaultFolder());
        firstTable->setData(firstTable->index(0, 1), "FIRST");
        secondTable->setData(secondTable->index(0, 1), "SECOND");
        firstCopy->writeNow();
        secondCopy.writeNow();
        QCOMPARE(copies().size(), 2);
        ScriptedDialogs dialogs;
        QVERIFY(!secondCopy.offerLeftCopies());
        QVERIFY(dialogs.messages().isEmpty());

        // The first editor ends without closing; its lock goes with it.
        firstCopy.reset();
        QCOMPARE(copies().size(), 2);
        dialogs.answerNext(MessageAnswer::Cancel);
        QVERIFY(!secondCopy.offerLeftCopies());
        QCOMPARE(copies().size(), 2);
        dialogs.answerNext(MessageAnswer::Discard);
        QVERIFY(!secondCopy.offerLeftCopies());
        QCOMPARE(copies(), QStringList{QFileInfo(secondCopy.copyPath()).fileName()});
        QCOMPARE(secondTable->channel(0).relNam, "SECOND");
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
