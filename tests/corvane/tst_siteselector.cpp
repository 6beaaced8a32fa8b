#include "../support/Children.h"
#include "../support/CorvaneSite.h"
#include "../support/DoubleClick.h"
#include "../support/ModalDriver.h"
#include "common/ScriptedDialogs.h"
#include "corvane/DirectoryTree.h"
#include "corvane/FrmSiteSelector.h"
#include "corvane/ModCrvFunc.h"
#include "windows/ModGlobal.h"
#include "windows/WindowHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

using CorvaneSite::addSite;

QString samePath(const QString& path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

struct ListState
{
    QStringList texts;
    int currentRow = -2;
    bool openEnabled = false;
};

ListState listState(QWidget* window)
{
    auto* list = child<QListWidget>(window, "SiteList");
    return {listTexts(window, "SiteList"),
            list->selectedItems().isEmpty() ? -1 : list->currentRow(),
            child<QPushButton>(window, "CmdLoad")->isEnabled()};
}

} // namespace

class TestSiteSelector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void windowHoldsItsControls();
    void noSitesShowsThePlaceholder_data();
    void noSitesShowsThePlaceholder();
    void firstSiteIsSelected();
    void openAnswersTheHighlightedSite_data();
    void openAnswersTheHighlightedSite();
    void sitesOfTheSameNameAreTold();
    void browseRefreshesOnlyAfterSelect_data();
    void browseRefreshesOnlyAfterSelect();
    void closeBoxLeavesNoSite();
    void helpShowsTheImportHelp();
    void fillSiteListNumbersTheEntries();

private:
    QTemporaryDir temp_;
    QString config_;
};

void TestSiteSelector::init()
{
    QVERIFY(temp_.isValid());
    config_ = temp_.filePath(QString::fromLatin1(QTest::currentTestFunction()) + "-" +
                             QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
    QDir().mkpath(config_);
    ModGlobal::dirs = DirSettings{};
    ModGlobal::dirs.crvPath = config_;
}

void TestSiteSelector::windowHoldsItsControls()
{
    FrmSiteSelector selector;
    QCOMPARE(selector.windowTitle(), QStringLiteral("Import site"));
    QVERIFY(!child<QPushButton>(&selector, "CmdLoad")->isEnabled());
    QVERIFY(child<QPushButton>(&selector, "CmdLoad")->isDefault());
    const QList<QPair<const char*, QString>> buttons = {{"CmdDirSelect", "Browse..."},
                                                        {"CmdCancel", "Cancel"},
                                                        {"CmdLoad", "Open"},
                                                        {"Command1", "Help..."}};
    for (const auto& [name, caption] : buttons)
        QCOMPARE(child<QPushButton>(&selector, name)->text(), caption);
    // Tab order: the list, Browse..., Cancel, Open, Help...
    const QStringList controls = {"SiteList", "CmdDirSelect", "CmdCancel", "CmdLoad", "Command1"};
    QWidget* widget = child<QListWidget>(&selector, "SiteList");
    QStringList order;
    for (int i = 0; i < 50 && order.size() < controls.size(); ++i) {
        if (controls.contains(widget->objectName()))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(order, controls);
}

void TestSiteSelector::noSitesShowsThePlaceholder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("no subdirectories") << "empty";
    QTest::newRow("directory missing") << "missing";
    QTest::newRow("subdirectory without site file") << "no site file";
    QTest::newRow("empty site name") << "empty name";
}

void TestSiteSelector::noSitesShowsThePlaceholder()
{
    QFETCH(QString, kind);
    if (kind == "missing")
        ModGlobal::dirs.crvPath = config_ + "/not here";
    else if (kind == "no site file")
        QDir().mkpath(config_ + "/Depot");
    else if (kind == "empty name")
        addSite(config_, "Depot", "");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    ListState shown, afterClick;
    int placeholderData = -1;
    bool shownAfterEnter = false;
    ModalDriver driver;
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        shown = listState(window);
        auto* list = child<QListWidget>(window, "SiteList");
        placeholderData = list->item(0)->data(Qt::UserRole).toInt();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        afterClick = listState(window);
        QTest::keyClick(list, Qt::Key_Return);
        doubleClickAt(list->viewport(), list->visualItemRect(list->item(0)).center());
        shownAfterEnter = window->isVisible();
        child<QPushButton>(window, "CmdCancel")->click();
    });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QCOMPARE(shown.texts, QStringList{"[No sites found]"});
    QCOMPARE(placeholderData, 0);
    QVERIFY(!shown.openEnabled);
    QCOMPARE(afterClick.currentRow, 0);
    QVERIFY(!afterClick.openEnabled);
    QVERIFY(shownAfterEnter);
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Cancel"));
    QCOMPARE(selector.CrvCfgDir(), QString());
    QVERIFY(dialogs.messages().isEmpty());
}

void TestSiteSelector::firstSiteIsSelected()
{
    addSite(config_, "north", "Tarnwick North");
    addSite(config_, "south", "Tarnwick South");
    QDir().mkpath(config_ + "/Backup");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    ListState shown;
    bool listHasFocus = false;
    ModalDriver driver;
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        shown = listState(window);
        listHasFocus = window->focusWidget() == child<QListWidget>(window, "SiteList");
        child<QPushButton>(window, "CmdCancel")->click();
    });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QStringList sorted = shown.texts;
    sorted.sort();
    QCOMPARE(sorted, (QStringList{"Tarnwick North", "Tarnwick South"}));
    QCOMPARE(shown.currentRow, 0);
    QVERIFY(shown.openEnabled);
    QVERIFY(listHasFocus);
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Cancel"));
}

void TestSiteSelector::openAnswersTheHighlightedSite_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("row");
    QTest::newRow("Open button, first") << "Open" << 0;
    QTest::newRow("Open button, second") << "Open" << 1;
    QTest::newRow("Enter") << "Enter" << 1;
    QTest::newRow("double-click") << "double-click" << 1;
}

void TestSiteSelector::openAnswersTheHighlightedSite()
{
    QFETCH(QString, how);
    QFETCH(int, row);
    const QString north = addSite(config_, "north", "Tarnwick North");
    const QString south = addSite(config_, "south", "Tarnwick South");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QString chosenText;
    ModalDriver driver;
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        auto* list = child<QListWidget>(window, "SiteList");
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        if (how == "double-click") {
            doubleClickAt(list->viewport(), centre);
        } else {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            if (how == "Enter")
                QTest::keyClick(list, Qt::Key_Return);
            else
                child<QPushButton>(window, "CmdLoad")->click();
        }
        chosenText = list->item(row)->text();
    });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Load"));
    QCOMPARE(selector.CrvSiteName(), chosenText);
    QCOMPARE(samePath(selector.CrvCfgDir()), chosenText == "Tarnwick North" ? north : south);
}

void TestSiteSelector::sitesOfTheSameNameAreTold()
{
    const QString first = addSite(config_, "a", "Tarnwick");
    const QString second = addSite(config_, "b", "Tarnwick");
    ScriptedDialogs dialogs;
    QStringList directories;
    for (int row = 0; row < 2; ++row) {
        FrmSiteSelector selector;
        ModalDriver driver;
        driver.when("FrmSiteSelector", [row](QWidget* window) {
            auto* list = child<QListWidget>(window, "SiteList");
            list->setCurrentRow(row);
            child<QPushButton>(window, "CmdLoad")->click();
        });
        selector.ShowOpen();
        QVERIFY(driver.finished());
        QCOMPARE(selector.CrvSiteName(), QStringLiteral("Tarnwick"));
        directories.append(samePath(selector.CrvCfgDir()));
    }
    directories.sort();
    QCOMPARE(directories, (QStringList{first, second}));
}

void TestSiteSelector::browseRefreshesOnlyAfterSelect_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Select") << "Select";
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close box") << "close";
}

void TestSiteSelector::browseRefreshesOnlyAfterSelect()
{
    QFETCH(QString, how);
    const QString other = config_ + "/tarnwick/config";
    addSite(other, "west", "Tarnwick West");
    addSite(config_, "old", "Old Site");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QString selectorStart;
    ListState before, after;
    ModalDriver driver;
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        before = listState(window);
        child<QPushButton>(window, "CmdDirSelect")->click();
    });
    driver.when("FrmFileSelector", [&](QWidget* window) {
        auto* tree = child<DirectoryTree>(window, "Dir1");
        selectorStart = tree->path();
        tree->setPath(other);
        if (how == "Select")
            child<QPushButton>(window, "CmdOK")->click();
        else if (how == "Cancel")
            child<QPushButton>(window, "CmdCancel")->click();
        else
            window->close();
    });
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        after = listState(window);
        child<QPushButton>(window, "CmdCancel")->click();
    });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QCOMPARE(samePath(selectorStart), config_);
    QCOMPARE(before.texts, QStringList{"Old Site"});
    if (how == "Select") {
        QCOMPARE(samePath(ModGlobal::dirs.crvPath), other);
        QCOMPARE(after.texts, QStringList{"Tarnwick West"});
        QCOMPARE(after.currentRow, 0);
        QVERIFY(after.openEnabled);
    } else {
        QCOMPARE(ModGlobal::dirs.crvPath, config_);
        QCOMPARE(after.texts, before.texts);
    }
}

void TestSiteSelector::closeBoxLeavesNoSite()
{
    addSite(config_, "north", "Tarnwick North");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    ModalDriver driver;
    driver.when("FrmSiteSelector",
                [](QWidget* window) { child<QPushButton>(window, "CmdLoad")->click(); });
    selector.ShowOpen();
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Load"));
    QVERIFY(!selector.CrvCfgDir().isEmpty());

    bool siteWasHighlighted = false;
    driver.when("FrmSiteSelector", [&](QWidget* window) {
        siteWasHighlighted = !child<QListWidget>(window, "SiteList")->selectedItems().isEmpty();
        window->close();
    });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QVERIFY(siteWasHighlighted);
    // The close box sets no answer, and no site is chosen.
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Load"));
    QCOMPARE(selector.CrvCfgDir(), QString());
    QCOMPARE(selector.CrvSiteName(), QString());
}

void TestSiteSelector::helpShowsTheImportHelp()
{
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QString helpTitle, helpText;
    bool helpOnTop = false;
    bool selectorWaits = false;
    ModalDriver driver;
    driver.when("FrmSiteSelector",
                [](QWidget* window) { child<QPushButton>(window, "Command1")->click(); });
    driver.when("FrmHelp", [&](QWidget* window) {
        helpTitle = window->windowTitle();
        helpText = child<QTextBrowser>(window, "Rtb1")->toPlainText();
        helpOnTop = QApplication::activeModalWidget() == window;
        selectorWaits = selector.isVisible();
        window->close();
    });
    driver.when("FrmSiteSelector",
                [](QWidget* window) { child<QPushButton>(window, "CmdCancel")->click(); });
    selector.ShowOpen();

    QVERIFY(driver.finished());
    QCOMPARE(helpTitle, QStringLiteral("Help"));
    QVERIFY(helpText.startsWith("Import Corvane1 config"));
    QVERIFY(helpText.contains("[No sites found]"));
    QVERIFY(helpOnTop);
    QVERIFY(selectorWaits);
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Cancel"));
}

void TestSiteSelector::fillSiteListNumbersTheEntries()
{
    QList<SiteInfoRecord> sites(4);
    sites[1].SiteName = "North";
    sites[2].SiteName = "South";
    sites[3].SiteName = "North";
    QListWidget list;
    list.addItem("left over");
    ModCrvFunc::FillSiteList(list, sites);
    QComboBox combo;
    combo.addItem("left over", 9);
    ModCrvFunc::FillSiteList(combo, sites);
    QCOMPARE(list.count(), 3);
    QCOMPARE(combo.count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list.item(i)->text(), sites[i + 1].SiteName);
        QCOMPARE(list.item(i)->data(Qt::UserRole).toInt(), i + 1);
        QCOMPARE(combo.itemText(i), sites[i + 1].SiteName);
        QCOMPARE(combo.itemData(i).toInt(), i + 1);
    }
    list.setCurrentRow(2);
    combo.setCurrentIndex(1);
    QCOMPARE(ModFunc::SelectedItemData(list), 3);
    QCOMPARE(ModFunc::SelectedItemData(combo), 2);

    ModCrvFunc::FillSiteList(list, QList<SiteInfoRecord>(1));
    QCOMPARE(list.count(), 0);
}

QTEST_MAIN(TestSiteSelector)
#include "tst_siteselector.moc"
