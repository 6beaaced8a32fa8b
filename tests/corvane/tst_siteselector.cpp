// Browse... in the site selector. Which site Open, a double-click and the close box take is a
// GUI scenario (import-picks-the-highlighted-site).
#include "corvane/DirectoryTree.h"
#include "corvane/FrmSiteSelector.h"
#include "support/Children.h"
#include "support/CorvaneSite.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"
#include "windows/ModGlobal.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestSiteSelector : public QObject
{
    Q_OBJECT

private slots:
    void browseTakesOnlyASelectedDirectory_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("taken");
        QTest::newRow("Select") << "CmdOK" << true;
        QTest::newRow("Cancel") << "CmdCancel" << false;
        QTest::newRow("close box counts as Cancel") << "close" << false;
    }

    // Browse... points the directory selector at another configuration directory; only Select
    // takes it into the setting and the list.
    void browseTakesOnlyASelectedDirectory()
    {
        QFETCH(QString, how);
        QFETCH(bool, taken);
        QTemporaryDir config;
        const QString other = config.filePath("tarnwick/config");
        CorvaneSite::addSite(config.path(), "old", "Old Site");
        CorvaneSite::addSite(other, "west", "Tarnwick West");
        ModGlobal::dirs = DirSettings{};
        ModGlobal::dirs.crvPath = config.path();
        ScriptedDialogs dialogs;
        FrmSiteSelector selector;
        QStringList before, after;
        ModalDriver driver;
        driver.when("FrmSiteSelector", [&](QWidget* window) {
            before = listTexts(window, "SiteList");
            child<QPushButton>(window, "CmdDirSelect")->click();
        });
        driver.when("FrmFileSelector", [&](QWidget* window) {
            QVERIFY(child<DirectoryTree>(window, "Dir1")->setPath(other));
            if (how == "close")
                window->close();
            else
                child<QPushButton>(window, qPrintable(how))->click();
        });
        driver.when("FrmSiteSelector", [&](QWidget* window) {
            after = listTexts(window, "SiteList");
            child<QPushButton>(window, "CmdCancel")->click();
        });
        selector.ShowOpen();
        QVERIFY(driver.finished());
        QCOMPARE(before, QStringList{"Old Site"});
        QCOMPARE(after, taken ? QStringList{"Tarnwick West"} : before);
        QCOMPARE(QDir::cleanPath(QDir::fromNativeSeparators(ModGlobal::dirs.crvPath)),
                 QDir::cleanPath(taken ? other : config.path()));
    }
};

QTEST_MAIN(TestSiteSelector)
#include "tst_siteselector.moc"
