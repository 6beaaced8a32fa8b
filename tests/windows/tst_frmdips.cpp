#include "../support/CorvaneSite.h"
#include "../support/GridTyping.h"
#include "../support/ModalDriver.h"
#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "labels/LabelDatabase.h"
#include "windows/ChannelGridView.h"
#include "windows/FormSizeSettings.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/Twips.h"
#include "windows/WidgetDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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

    void startsUntitledWithOneUnit();
    void menuAndToolbarHoldTheirItemsInOrder();
    void growsWithoutAskingAndShrinksAfterOk();
    void closeAsksAboutUnsavedEdits_data();
    void closeAsksAboutUnsavedEdits();
    void badDipLeavesTheSiteAsItWas();
    void saveAsDipNamesTheSiteAndNextStartOpensThere();
    void saveAsOtherEndings_data();
    void saveAsOtherEndings();
    void exportTakesTheCellBeingEdited();
    void importTakesTheChosenSite_data();
    void importTakesTheChosenSite();
    void importThroughTheSiteSelector();
    void unknownToolbarKeyDoesNothing();
    void aboutShowsTheVersion();
    void labelsButtonReportsAMissingDatabase();
    void realMessageBoxAnswersTheShrinkQuestion();

private:
    std::unique_ptr<FrmDips> makeWindow();
};

void TestFrmDips::init()
{
    ModGlobal::OpenSettingsStore()->clear();
    ModGlobal::dirs = {};
}

std::unique_ptr<FrmDips> TestFrmDips::makeWindow()
{
    auto window = std::make_unique<FrmDips>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("window not exposed");
    return window;
}

void TestFrmDips::startsUntitledWithOneUnit()
{
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("ZR415 configuration editor"));
    QCOMPARE(window->table().rowCount(), 384);
    QCOMPARE(window->table().data(window->table().index(0, 1)).toString(),
             QStringLiteral("Spare AA01"));
    QCOMPARE(window->channelCountSelector()->count(), 8);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 0);
    QVERIFY(!window->commands().isModified());
    QCOMPARE(window->frameGeometry().topLeft(),
             QPoint(Twips::toPixelsX(500), Twips::toPixelsY(500)));
    QCOMPARE(window->frameGeometry().width(), Twips::toPixelsX(6945));
    QCOMPARE(window->frameGeometry().height(), Twips::toPixelsY(9375));
    QVERIFY(dialogs.messages().isEmpty());
}

void TestFrmDips::menuAndToolbarHoldTheirItemsInOrder()
{
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    auto* file = window->findChild<QMenu*>(QStringLiteral("MnuFile"));
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("&File"));
    QStringList menu;
    for (QAction* action : file->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(menu, (QStringList{"&New", "&Open...", "&Save", "Save &as...", "-", "&Import...", "-",
                                "&Export to ZR415..."}));
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
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

void TestFrmDips::growsWithoutAskingAndShrinksAfterOk()
{
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->table().setRelayName(0, QStringLiteral("KEEP"));
    window->channelCountSelector()->setCurrentIndex(2);
    QCOMPARE(window->table().rowCount(), 1152);
    QVERIFY(dialogs.messages().isEmpty());
    QVERIFY(window->commands().isModified());
    QCOMPARE(window->table().channel(0).relNam, QStringLiteral("KEEP"));
    QCOMPARE(window->table().channel(1151).relNam, QStringLiteral("Spare CH48"));

    dialogs.answerNext(MessageAnswer::Ok);
    window->channelCountSelector()->setCurrentIndex(0);
    QCOMPARE(window->table().rowCount(), 384);
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 0);
}

void TestFrmDips::closeAsksAboutUnsavedEdits_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("named"); // a file is chosen when Save As asks
    QTest::newRow("Yes saves and closes") << MessageAnswer::Yes << true << true << true;
    QTest::newRow("Yes, Save As cancelled") << MessageAnswer::Yes << false << false << false;
    QTest::newRow("No closes without saving") << MessageAnswer::No << true << false << true;
    QTest::newRow("Cancel keeps the window") << MessageAnswer::Cancel << false << false << true;
}

void TestFrmDips::closeAsksAboutUnsavedEdits()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    QFETCH(bool, named);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    typeIntoRelayName(*window, 3, QStringLiteral("TPR 12"));
    dialogs.answerNext(answer);
    const QString path = dir.filePath(QStringLiteral("site.dip"));
    dialogs.chooseNext(named ? std::optional(path) : std::nullopt);
    QCOMPARE(window->close(), closes);
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(dialogs.messages().first().text, QStringLiteral("Save this site before closing?"));
    QCOMPARE(dialogs.messages().first().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(QFile::exists(path), saved);
    QCOMPARE(window->commands().isModified(), !saved);
    QCOMPARE(window->table().channel(3).relNam, QStringLiteral("TPR 12"));
    if (saved)
        QCOMPARE(readFile(path).mid(16 + 3 * 40, 6), QByteArray("TPR 12"));
    // The geometry is stored whether or not the window closed.
    QVERIFY(ModGlobal::OpenSettingsStore()->contains(QStringLiteral("FormSize/height")));
}

void TestFrmDips::badDipLeavesTheSiteAsItWas()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.dip"));
    writeFile(bad, QByteArray(16 + 40, 'x'));
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->table().setRelayName(5, QStringLiteral("KEPT"));
    dialogs.chooseNext(bad);
    window->onToolbarButton(QStringLiteral("Open"));
    QCOMPARE(dialogs.texts(),
             QStringList{QStringLiteral("File flag incorrect - this is not an ZR415 file")});
    QCOMPARE(window->windowTitle(), QStringLiteral("ZR415 configuration editor"));
    QCOMPARE(window->table().channel(5).relNam, QStringLiteral("KEPT"));
    QVERIFY(window->commands().site().sitePath.isEmpty());
}

void TestFrmDips::saveAsDipNamesTheSiteAndNextStartOpensThere()
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("north.dip")));
    {
        ScriptedDialogs dialogs;
        auto window = makeWindow();
        typeIntoRelayName(*window, 0, QStringLiteral("X"));
        dialogs.chooseNext(path);
        window->findChild<QAction*>(QStringLiteral("MnuSaveAs"))->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("north - ZR415 configuration editor"));
        QVERIFY(!window->commands().isModified());
        QCOMPARE(readFile(path).size(), 15376);
        QVERIFY(window->close());
    }
    ModGlobal::dirs = {};
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->findChild<QAction*>(QStringLiteral("MnuOpen"))->trigger();
    QCOMPARE(dialogs.fileRequests().first().directory,
             QDir::toNativeSeparators(dir.path()) + QDir::separator());
}

void TestFrmDips::saveAsOtherEndings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("csv list") << "north.csv"
                              << "north.csv" << QStringList();
    QTest::newRow("upper-case DIP") << "NORTH.DIP"
                                    << "NORTH.DIP" << QStringList();
    QTest::newRow("Corvane file") << "any.cfg"
                                  << "DChannel.cfg" << QStringList();
    QTest::newRow("unknown ending")
        << "north.xml" << QString()
        << QStringList{"Unknown file type - use a .dip, .csv or .cfg file name."};
}

void TestFrmDips::saveAsOtherEndings()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    dialogs.chooseNext(QDir::toNativeSeparators(dir.filePath(name)));
    window->commands().SaveSiteAs();
    QCOMPARE(dialogs.texts(), messages);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
}

void TestFrmDips::exportTakesTheCellBeingEdited()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    typeIntoRelayName(*window, 0, QStringLiteral("ON CARD"));
    const QString card = QDir::toNativeSeparators(dir.filePath(QStringLiteral("card.dip")));
    dialogs.chooseNext(card);
    window->onToolbarButton(QStringLiteral("Export"));
    QCOMPARE(readFile(card).mid(16, 7), QByteArray("ON CARD"));
    QCOMPARE(ModGlobal::dirs.cfPath, QDir::toNativeSeparators(dir.path()) + QDir::separator());
    // Export is not a save of the site.
    QVERIFY(window->commands().isModified());
    QCOMPARE(window->windowTitle(), QStringLiteral("ZR415 configuration editor"));
}

void TestFrmDips::importTakesTheChosenSite_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("withChannels");
    QTest::addColumn<bool>("imported");
    QTest::newRow("Open on a site") << "Load" << true << true;
    QTest::newRow("Cancel") << "Cancel" << true << false;
    QTest::newRow("site without DChannel.cfg") << "Load" << false << false;
}

void TestFrmDips::importTakesTheChosenSite()
{
    QFETCH(QString, button);
    QFETCH(bool, withChannels);
    QFETCH(bool, imported);
    QTemporaryDir config;
    const QString site = QDir::toNativeSeparators(config.filePath(QStringLiteral("North")));
    QDir().mkpath(site);
    if (withChannels)
        CorvaneSite::writeOneAllocation(site);
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->setSiteChooser([&] { return ChosenSite{button, QStringLiteral("North Jn"), site}; });
    window->onToolbarButton(QStringLiteral("Import"));
    QCOMPARE(window->windowTitle(), imported
                                        ? QStringLiteral("North Jn - ZR415 configuration editor")
                                        : QStringLiteral("ZR415 configuration editor"));
    QCOMPARE(window->commands().isModified(), imported);
    QCOMPARE(window->table().channel(0).relNam,
             imported ? QStringLiteral("TPR 1") : QStringLiteral("Spare AA01"));
    QCOMPARE(window->table().channel(0).back, imported);
    QCOMPARE(dialogs.texts(), imported ? QStringList{"1 channels imported"} : QStringList());
}

void TestFrmDips::importThroughTheSiteSelector()
{
    QTemporaryDir config;
    CorvaneSite::writeOneAllocation(
        CorvaneSite::addSite(config.path(), QStringLiteral("north"), "North Jn"));
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    ModGlobal::dirs.crvPath = config.path();
    ModalDriver driver;
    QString shownSites;
    driver.when("FrmSiteSelector", [&](QWidget* selector) {
        auto* list = selector->findChild<QListWidget*>(QStringLiteral("SiteList"));
        shownSites = list->currentItem() ? list->currentItem()->text() : QString();
        selector->findChild<QPushButton*>(QStringLiteral("CmdLoad"))->click();
    });
    window->onToolbarButton(QStringLiteral("Import"));
    QVERIFY(driver.finished());
    QVERIFY(shownSites.contains(QStringLiteral("North Jn")));
    QCOMPARE(window->windowTitle(), QStringLiteral("North Jn - ZR415 configuration editor"));
    QCOMPARE(window->table().channel(0).relNam, QStringLiteral("TPR 1"));
    QVERIFY(window->table().channel(0).back);
    QCOMPARE(dialogs.texts(), QStringList{"1 channels imported"});
}

void TestFrmDips::unknownToolbarKeyDoesNothing()
{
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->onToolbarButton(QStringLiteral("new"));
    window->onToolbarButton(QStringLiteral("Print"));
    QVERIFY(dialogs.messages().isEmpty());
    QVERIFY(dialogs.fileRequests().isEmpty());
}

void TestFrmDips::aboutShowsTheVersion()
{
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->findChild<QMenu*>(QStringLiteral("MnuHelp"))->actions().first()->trigger();
    QCOMPARE(dialogs.messages().size(), 1);
    const MessageRequest& about = dialogs.messages().first();
    const QString version = QStringLiteral(ZR415_VERSION);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(version).hasMatch());
    QCOMPARE(about.text.section(QStringLiteral("\r\n"), 0, 0),
             QStringLiteral("ZR415Config ") + version);
    QVERIFY(!about.text.section(QStringLiteral("\r\n"), 1).isEmpty());
}

// The editor's own database is never made by the export; in test mode it does not exist.
void TestFrmDips::labelsButtonReportsAMissingDatabase()
{
    const QString file = LabelDatabase::editorDefault().databaseFile();
    QVERIFY(!file.isEmpty());
    QFile::remove(file);
    ScriptedDialogs dialogs;
    auto window = makeWindow();
    window->onToolbarButton(QStringLiteral("Labels"));
    QCOMPARE(dialogs.messages().size(), 1);
    const QString text = dialogs.messages().first().text;
    const QString failure = QStringLiteral("Error exporting to labels database\r\n");
    QVERIFY2(text.startsWith(failure), qPrintable(text));
    QVERIFY(!text.mid(failure.size()).trimmed().isEmpty());
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(!window->commands().isModified());
}

void TestFrmDips::realMessageBoxAnswersTheShrinkQuestion()
{
    auto window = makeWindow();
    WidgetDialogs dialogs(window.get());
    Dialogs* previous = Dialogs::install(&dialogs);
    window->table().SetChannelCount(768, ChannelTableModel::FillAllRows);
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
    QCOMPARE(shownTitle, QStringLiteral("ZR415 configuration editor"));
    QCOMPARE(shownText, QStringLiteral("Delete channels BA01 to BH48?\n"));
    QCOMPARE(window->table().rowCount(), 768);
    QCOMPARE(window->channelCountSelector()->currentIndex(), 1);
}

QTEST_MAIN(TestFrmDips)
#include "tst_frmdips.moc"
