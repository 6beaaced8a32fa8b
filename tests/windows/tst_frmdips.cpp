#include "support/CorvaneSite.h"
#include "support/GridTyping.h"
#include "support/ModalDriver.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

class TestFrmDips : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void init()
    {
        ModGlobal::dirs = {};
        QVERIFY(openWindow());
    }
    void cleanup() { closeWindow(); }

    void menuAndToolbarHoldTheirItemsInOrder();
    void closeAsksAboutUnsavedEdits_data();
    void closeAsksAboutUnsavedEdits();
    void importThroughTheSiteSelector();
    void missingFileOnTheCommandLineIsNamed();
};

void TestFrmDips::menuAndToolbarHoldTheirItemsInOrder()
{
    auto* file = window->findChild<QMenu*>("MnuFile");
    QVERIFY(file);
    QCOMPARE(file->title(), "&File");
    QStringList menu;
    for (QAction* action : file->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(menu.join(u'|'), "&New|&Open...|&Save|Save &as...|&Reload|-|&Import...|-|"
                              "&Export to ZR415...|&Verify card...|-|&Compare with...|"
                              "End co&mparison|Save comparison re&port...|"
                              "Export alteration record for chec&king...|"
                              "Print alteration record for checkin&g...|"
                              "Print labels for differences onl&y...|-|Prin&t...|"
                              "Print Previe&w...|Export PD&F...|Print set&up...|-|Print la&bels...|"
                              "Export &labels PDF...|Label s&heet setup...|"
                              "Export to labels &database|-|E&xit");
    auto* toolbar = window->findChild<QToolBar*>("Toolbar1");
    QVERIFY(toolbar);
    QStringList buttons;
    for (QAction* action : toolbar->actions()) {
        buttons << (action->isSeparator() ? QStringLiteral("-")
                                          : action->data().toString() + u'=' + action->toolTip());
        QVERIFY(action->isSeparator() || !action->icon().isNull());
    }
    QCOMPARE(buttons,
             (QStringList{"New=New site", "Open=Open site", "Import=Import...", "Save=Save site",
                          "-", "Export=Export to ZR415", "Labels=Export to labels database"}));
}

void TestFrmDips::closeAsksAboutUnsavedEdits_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("named"); // a file is chosen when Save As asks
    QTest::addColumn<bool>("closes");
    QTest::newRow("Yes saves and closes") << MessageAnswer::Yes << true << true;
    QTest::newRow("Yes, Save As cancelled") << MessageAnswer::Yes << false << false;
    QTest::newRow("No closes without saving") << MessageAnswer::No << true << true;
    QTest::newRow("Cancel keeps the window") << MessageAnswer::Cancel << true << false;
}

void TestFrmDips::closeAsksAboutUnsavedEdits()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, named);
    QFETCH(bool, closes);
    const bool saved = closes && answer == MessageAnswer::Yes;
    typeIntoRelayName(*window, 3, "TPR 12");
    dialogs->answerNext(answer);
    const QString site = path("site.dip");
    dialogs->chooseNext(named ? std::optional(site) : std::nullopt);
    QCOMPARE(window->close(), closes);
    QCOMPARE(dialogs->texts(), QStringList{"Save this site before closing?"});
    QCOMPARE(dialogs->messages().first().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(QFile::exists(site), saved);
    QCOMPARE(commands().isModified(), !saved);
    QCOMPARE(table().channel(3).relNam, "TPR 12");
}

void TestFrmDips::importThroughTheSiteSelector()
{
    QTemporaryDir config;
    CorvaneSite::writeOneAllocation(CorvaneSite::addSite(config.path(), "north", "North Jn"));
    ModGlobal::dirs.crvPath = config.path();
    ModalDriver driver;
    driver.when("FrmSiteSelector",
                [](QWidget* selector) { selector->findChild<QPushButton*>("CmdLoad")->click(); });
    auto& toolbar = partOf<QToolBar>(*window, "Toolbar1");
    QTest::mouseClick(toolbar.widgetForAction(&partOf<QAction>(*window, "MnuImport")),
                      Qt::LeftButton);
    QVERIFY(driver.finished());
    QCOMPARE(window->windowTitle(), "North Jn[*] - ZR415 configuration editor");
    QVERIFY(commands().isModified());
    QVERIFY(window->isWindowModified());
    QCOMPARE(table().channel(0).relNam, "TPR 1");
    QVERIFY(table().channel(0).back);
}

void TestFrmDips::missingFileOnTheCommandLineIsNamed()
{
    window->start({path("nosuch.dip")});
    QCOMPARE(dialogs->texts().size(), 1);
    QVERIFY(dialogs->texts().first().startsWith("Error occurred while opening.\r\n" +
                                                path("nosuch.dip") + "\r\n"));
    QVERIFY(!window->isWindowModified());
}

QTEST_MAIN(TestFrmDips)
#include "tst_frmdips.moc"
