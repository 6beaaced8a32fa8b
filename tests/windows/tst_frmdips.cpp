#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/CorvaneSite.h"
#include "support/GridTyping.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"
#include "support/TableRows.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/WidgetDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

class TestFrmDips : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        ModGlobal::dirs = {};
        QVERIFY(openWindow());
    }
    void cleanup() { closeWindow(); }

    void menuAndToolbarHoldTheirItemsInOrder();
    void closeAsksAboutUnsavedEdits_data();
    void closeAsksAboutUnsavedEdits();
    void saveAsWritesByTheEnding_data();
    void saveAsWritesByTheEnding();
    void exportTakesTheCellBeingEdited();
    void cancelledImportChangesNothing();
    void importThroughTheSiteSelector();
    void realMessageBoxAnswersTheShrinkQuestion();
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
                              "En&d comparison|Save comparison re&port...|-|Prin&t...|"
                              "Print Previe&w...|Export PD&F...|-|Print la&bels...|"
                              "Export &labels PDF...|Label s&heet setup...");
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
    QTemporaryDir dir;
    typeIntoRelayName(*window, 3, "TPR 12");
    dialogs->answerNext(answer);
    const QString path = dir.filePath("site.dip");
    dialogs->chooseNext(named ? std::optional(path) : std::nullopt);
    QCOMPARE(window->close(), closes);
    QCOMPARE(dialogs->texts(), QStringList{"Save this site before closing?"});
    QCOMPARE(dialogs->messages().first().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(QFile::exists(path), saved);
    QCOMPARE(window->commands().isModified(), !saved);
    QCOMPARE(table().channel(3).relNam, "TPR 12");
    if (saved)
        QCOMPARE(readFile(path).mid(16 + 3 * 40, 6), QByteArray("TPR 12"));
}

void TestFrmDips::saveAsWritesByTheEnding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("modified"); // only a .dip holds the whole site
    QTest::newRow("dip") << "north.dip" << QStringList{"north.dip"} << QStringList() << false;
    QTest::newRow("csv list") << "north.csv" << QStringList{"north.csv"} << QStringList() << true;
    QTest::newRow("Corvane file") << "any.cfg" << QStringList{"DChannel.cfg"} << QStringList()
                                  << true;
    QTest::newRow("unknown ending")
        << "north.xml" << QStringList()
        << QStringList{"Unknown file type - use a .dip, .csv or .cfg file name."} << true;
}

void TestFrmDips::saveAsWritesByTheEnding()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    typeIntoRelayName(*window, 0, "X");
    dialogs->chooseNext(QDir::toNativeSeparators(dir.filePath(name)));
    window->findChild<QAction*>("MnuSaveAs")->trigger();
    QTEST(dialogs->texts(), "messages");
    QTEST(QDir(dir.path()).entryList(QDir::Files), "written");
    QTEST(window->commands().isModified(), "modified");
}

void TestFrmDips::exportTakesTheCellBeingEdited()
{
    QTemporaryDir dir;
    typeIntoRelayName(*window, 0, "ON CARD");
    const QString card = QDir::toNativeSeparators(dir.filePath("card.dip"));
    dialogs->chooseNext(card);
    window->onToolbarButton("Export");
    QCOMPARE(readFile(card).mid(16, 7), QByteArray("ON CARD"));
    // Export is not a save of the site.
    QVERIFY(window->commands().isModified());
    QCOMPARE(window->windowTitle(), "ZR415 configuration editor");
}

// The folder holds a list; only the Cancel keeps it from replacing the site.
void TestFrmDips::cancelledImportChangesNothing()
{
    QTemporaryDir config;
    CorvaneSite::writeOneAllocation(config.path());
    window->setSiteChooser([&] { return ChosenSite{"Cancel", "North Jn", config.path()}; });
    window->onToolbarButton("Import");
    QVERIFY(!window->commands().isModified());
    QCOMPARE(table().channel(0), DefaultRow(1));
}

void TestFrmDips::importThroughTheSiteSelector()
{
    QTemporaryDir config;
    CorvaneSite::writeOneAllocation(CorvaneSite::addSite(config.path(), "north", "North Jn"));
    ModGlobal::dirs.crvPath = config.path();
    ModalDriver driver;
    driver.when("FrmSiteSelector",
                [](QWidget* selector) { selector->findChild<QPushButton*>("CmdLoad")->click(); });
    window->onToolbarButton("Import");
    QVERIFY(driver.finished());
    QCOMPARE(window->windowTitle(), "North Jn - ZR415 configuration editor");
    QVERIFY(window->commands().isModified());
    QCOMPARE(table().channel(0).relNam, "TPR 1");
    QVERIFY(table().channel(0).back);
}

void TestFrmDips::realMessageBoxAnswersTheShrinkQuestion()
{
    WidgetDialogs boxes(window.get());
    Dialogs* previous = Dialogs::install(&boxes);
    table().SetChannelCount(768, ChannelTableModel::FillAllRows);
    QString shownText;
    // The box is answered before anything is checked, so a failed check cannot leave it open.
    ModalDriver driver;
    driver.when("QMessageBox", [&](QWidget* modal) {
        auto* box = static_cast<QMessageBox*>(modal);
        shownText = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    window->channelCountSelector()->setCurrentIndex(0);
    Dialogs::install(previous);
    QVERIFY(driver.finished());
    QCOMPARE(shownText, "Delete channels BA01 to BH48?\n");
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 1);
}

QTEST_MAIN(TestFrmDips)
#include "tst_frmdips.moc"
