#include "corvane/DirectoryTree.h"
#include "corvane/FrmSiteSelector.h"
#include "support/Children.h"
#include "support/CorvaneSite.h"
#include "support/DoubleClick.h"
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
    void openAnswersTheHighlightedSite_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Open") << "Open" << true;
        QTest::newRow("double-click") << "double-click" << true;
        // The close box drops the list and sets no answer.
        QTest::newRow("close box") << "close" << false;
    }

    // Both sites bear one name, so only the directory tells which one was opened.
    void openAnswersTheHighlightedSite()
    {
        QFETCH(QString, how);
        QFETCH(bool, opens);
        QTemporaryDir config;
        ModGlobal::dirs = DirSettings{};
        ModGlobal::dirs.crvPath = config.path();
        QStringList dirs{CorvaneSite::addSite(config.path(), "north", "Tarnwick"),
                         CorvaneSite::addSite(config.path(), "south", "Tarnwick")};
        QDir().mkpath(config.filePath("Backup")); // no SiteInfo.cfg, so no site
        ScriptedDialogs dialogs;
        QStringList shown, answered;
        for (const int pick : {0, 1}) {
            FrmSiteSelector selector;
            ModalDriver driver;
            driver.when("FrmSiteSelector", [&](QWidget* window) {
                auto* list = child<QListWidget>(window, "SiteList");
                shown = listTexts(window, "SiteList");
                const QPoint centre = list->visualItemRect(list->item(pick)).center();
                if (how == "double-click") {
                    doubleClickAt(list->viewport(), centre);
                    return;
                }
                if (pick > 0) // the first site is highlighted at start
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
                if (how == "Open")
                    child<QPushButton>(window, "CmdLoad")->click();
                else
                    window->close();
            });
            selector.ShowOpen();
            QVERIFY(driver.finished());
            QCOMPARE(shown, (QStringList{"Tarnwick", "Tarnwick"}));
            QCOMPARE(selector.ButtonPressed(),
                     opens ? ChosenSite::Button::Load : ChosenSite::Button::None);
            QCOMPARE(selector.CrvSiteName(), opens ? QStringLiteral("Tarnwick") : QString());
            answered << QDir::cleanPath(QDir::fromNativeSeparators(selector.CrvCfgDir()));
        }
        if (!opens)
            dirs = QStringList{QString(), QString()};
        answered.sort();
        QCOMPARE(answered, dirs);
    }

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
