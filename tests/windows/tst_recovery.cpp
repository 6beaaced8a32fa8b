// Two editors at once, each with its recovery copy. A killed editor's copy offered back at the
// next start is a GUI scenario (new-after-restore); its lock, a row of the attacks.
#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSettings.h"

#include <QDir>
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

    std::unique_ptr<QTemporaryDir> home;

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
