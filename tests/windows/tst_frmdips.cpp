#include "../support/CorvaneSite.h"
#include "../support/GridTyping.h"
#include "../support/ModalDriver.h"
#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "labels/LabelDatabase.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/Twips.h"
#include "windows/WidgetDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

class TestFrmDips : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup()
    {
        window.reset();
        dialogs.reset();
    }

    void startsUntitledWithOneUnit();
    void menuAndToolbarHoldTheirItemsInOrder();
    void closeAsksAboutUnsavedEdits_data();
    void closeAsksAboutUnsavedEdits();
    void badDipLeavesTheSiteAsItWas();
    void saveAsDipNamesTheSiteAndNextStartOpensThere();
    void saveAsOtherEndings_data();
    void saveAsOtherEndings();
    void exportTakesTheCellBeingEdited();
    void cancelledImportChangesNothing();
    void importThroughTheSiteSelector();
    void aboutShowsTheVersion();
    void labelsButtonReportsAMissingDatabase();
    void realMessageBoxAnswersTheShrinkQuestion();

private:
    void openWindow();
    ChannelTableModel& table() const { return window->table(); }

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FrmDips> window;
};

void TestFrmDips::init()
{
    ModGlobal::OpenSettingsStore()->clear();
    ModGlobal::dirs = {};
    dialogs = std::make_unique<ScriptedDialogs>();
    openWindow();
}

void TestFrmDips::openWindow()
{
    window = std::make_unique<FrmDips>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestFrmDips::startsUntitledWithOneUnit()
{
    QCOMPARE(window->windowTitle(), "ZR415 configuration editor");
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(table().data(table().index(0, 1)).toString(), "Spare AA01");
    QCOMPARE(window->channelCountSelector()->count(), 8);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 0);
    QVERIFY(!window->commands().isModified());
    QCOMPARE(window->frameGeometry(), QRect(Twips::toPixelsX(500), Twips::toPixelsY(500),
                                            Twips::toPixelsX(6945), Twips::toPixelsY(9375)));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestFrmDips::menuAndToolbarHoldTheirItemsInOrder()
{
    auto* file = window->findChild<QMenu*>("MnuFile");
    QVERIFY(file);
    QCOMPARE(file->title(), "&File");
    QStringList menu;
    for (QAction* action : file->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(menu, (QStringList{"&New", "&Open...", "&Save", "Save &as...", "-", "&Import...", "-",
                                "&Export to ZR415..."}));
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
    // The geometry is stored whether or not the window closed.
    QVERIFY(ModGlobal::OpenSettingsStore()->contains("FormSize/height"));
}

void TestFrmDips::badDipLeavesTheSiteAsItWas()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.dip");
    writeFile(bad, QByteArray(16 + 40, 'x'));
    table().setRelayName(5, "KEPT");
    dialogs->chooseNext(bad);
    window->onToolbarButton("Open");
    QCOMPARE(dialogs->texts(), QStringList{"File flag incorrect - this is not an ZR415 file"});
    QCOMPARE(window->windowTitle(), "ZR415 configuration editor");
    QCOMPARE(table().channel(5).relNam, "KEPT");
    QVERIFY(window->commands().site().sitePath.isEmpty());
}

void TestFrmDips::saveAsDipNamesTheSiteAndNextStartOpensThere()
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath("north.dip"));
    typeIntoRelayName(*window, 0, "X");
    dialogs->chooseNext(path);
    window->findChild<QAction*>("MnuSaveAs")->trigger();
    QCOMPARE(window->windowTitle(), "north - ZR415 configuration editor");
    QVERIFY(!window->commands().isModified());
    QCOMPARE(readFile(path).size(), 15376);
    QVERIFY(window->close());
    ModGlobal::dirs = {};
    openWindow();
    window->findChild<QAction*>("MnuOpen")->trigger();
    QCOMPARE(dialogs->fileRequests().last().directory,
             QDir::toNativeSeparators(dir.path()) + QDir::separator());
}

void TestFrmDips::saveAsOtherEndings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("csv list") << "north.csv" << QStringList{"north.csv"} << QStringList();
    QTest::newRow("Corvane file") << "any.cfg" << QStringList{"DChannel.cfg"} << QStringList();
    QTest::newRow("unknown ending")
        << "north.xml" << QStringList()
        << QStringList{"Unknown file type - use a .dip, .csv or .cfg file name."};
}

void TestFrmDips::saveAsOtherEndings()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    dialogs->chooseNext(QDir::toNativeSeparators(dir.filePath(name)));
    window->commands().SaveSiteAs();
    QTEST(dialogs->texts(), "messages");
    QTEST(QDir(dir.path()).entryList(QDir::Files), "written");
}

void TestFrmDips::exportTakesTheCellBeingEdited()
{
    QTemporaryDir dir;
    typeIntoRelayName(*window, 0, "ON CARD");
    const QString card = QDir::toNativeSeparators(dir.filePath("card.dip"));
    dialogs->chooseNext(card);
    window->onToolbarButton("Export");
    QCOMPARE(readFile(card).mid(16, 7), QByteArray("ON CARD"));
    QCOMPARE(ModGlobal::dirs.cfPath, QDir::toNativeSeparators(dir.path()) + QDir::separator());
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
    QCOMPARE(window->windowTitle(), "ZR415 configuration editor");
    QVERIFY(!window->commands().isModified());
    QCOMPARE(table().channel(0), ChannelTableModel::defaultRow(1));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestFrmDips::importThroughTheSiteSelector()
{
    QTemporaryDir config;
    CorvaneSite::writeOneAllocation(CorvaneSite::addSite(config.path(), "north", "North Jn"));
    ModGlobal::dirs.crvPath = config.path();
    ModalDriver driver;
    QString shownSite;
    driver.when("FrmSiteSelector", [&](QWidget* selector) {
        auto* list = selector->findChild<QListWidget*>("SiteList");
        shownSite = list->currentItem() ? list->currentItem()->text() : QString();
        selector->findChild<QPushButton*>("CmdLoad")->click();
    });
    window->onToolbarButton("Import");
    QVERIFY(driver.finished());
    QVERIFY(shownSite.contains("North Jn"));
    QCOMPARE(window->windowTitle(), "North Jn - ZR415 configuration editor");
    QVERIFY(window->commands().isModified());
    QCOMPARE(table().channel(0).relNam, "TPR 1");
    QVERIFY(table().channel(0).back);
    QCOMPARE(dialogs->texts(), QStringList{"1 channels imported"});
}

void TestFrmDips::aboutShowsTheVersion()
{
    window->findChild<QAction*>("MnuAbout")->trigger();
    const QString version = ZR415_VERSION;
    QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(version).hasMatch());
    QCOMPARE(dialogs->texts(),
             QStringList{"ZR415Config " + version +
                         "\r\nChannel list editor for the ZR415 signalling data logger."});
}

// The editor's own database is never made by the export; in test mode it does not exist.
void TestFrmDips::labelsButtonReportsAMissingDatabase()
{
    const QString file = LabelDatabase::editorDefault().databaseFile();
    QVERIFY(!file.isEmpty());
    QFile::remove(file);
    window->onToolbarButton("Labels");
    QCOMPARE(dialogs->messages().size(), 1);
    const QString text = dialogs->messages().first().text;
    const QString failure = "Error exporting to labels database\r\n";
    QVERIFY2(text.startsWith(failure), qPrintable(text));
    QVERIFY(!text.mid(failure.size()).trimmed().isEmpty());
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(!window->commands().isModified());
}

void TestFrmDips::realMessageBoxAnswersTheShrinkQuestion()
{
    WidgetDialogs boxes(window.get());
    Dialogs* previous = Dialogs::install(&boxes);
    table().SetChannelCount(768, ChannelTableModel::FillAllRows);
    QString shownText;
    QString shownTitle;
    // The box is answered before anything is checked, so a failed check cannot leave it open.
    ModalDriver driver;
    driver.when("QMessageBox", [&](QWidget* modal) {
        auto* box = static_cast<QMessageBox*>(modal);
        shownText = box->text();
        shownTitle = box->windowTitle();
        box->button(QMessageBox::Cancel)->click();
    });
    window->channelCountSelector()->setCurrentIndex(0);
    Dialogs::install(previous);
    QVERIFY(driver.finished());
    QCOMPARE(shownTitle, "ZR415 configuration editor");
    QCOMPARE(shownText, "Delete channels BA01 to BH48?\n");
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 1);
}

QTEST_MAIN(TestFrmDips)
#include "tst_frmdips.moc"
