#include "../support/Children.h"
#include "../support/CorvaneSite.h"
#include "../support/DoubleClick.h"
#include "../support/ModalDriver.h"
#include "common/ScriptedDialogs.h"
#include "corvane/DirectoryTree.h"
#include "corvane/FrmSiteSelector.h"
#include "windows/ModGlobal.h"

#include <QDir>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <optional>

namespace {

using CorvaneSite::addSite;
using Step = std::function<void(QWidget*)>;

// Shows the selector and runs each step on the window of its class as that comes up.
void showOpen(FrmSiteSelector& selector, const QList<QPair<const char*, Step>>& steps)
{
    ModalDriver driver;
    for (const auto& [window, step] : steps)
        driver.when(window, step);
    selector.ShowOpen();
    QVERIFY(driver.finished());
}

void showOpen(FrmSiteSelector& selector, const Step& step)
{
    showOpen(selector, {{"FrmSiteSelector", step}});
}

QString samePath(const QString& path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QListWidget* siteList(QWidget* window)
{
    return child<QListWidget>(window, "SiteList");
}

QPushButton* button(QWidget* window, const char* name)
{
    return child<QPushButton>(window, name);
}

Step press(const char* name)
{
    return [name](QWidget* window) { button(window, name)->click(); };
}

QPoint rowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class TestSiteSelector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void noSitesShowsThePlaceholder();
    void openAnswersTheHighlightedSite_data();
    void openAnswersTheHighlightedSite();
    void sitesOfTheSameNameAreTold();
    void browseRefreshesOnlyAfterSelect_data();
    void browseRefreshesOnlyAfterSelect();
    void helpShowsTheImportHelp();

private:
    std::optional<QTemporaryDir> temp_;
    QString config_;
};

void TestSiteSelector::init()
{
    temp_.emplace();
    QVERIFY(temp_->isValid());
    config_ = temp_->path();
    ModGlobal::dirs = DirSettings{};
    ModGlobal::dirs.crvPath = config_;
}

// The placeholder can be highlighted, but neither that nor Enter nor a double-click opens it.
void TestSiteSelector::noSitesShowsThePlaceholder()
{
    ModGlobal::dirs.crvPath = config_ + "/not here";
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QStringList shown;
    bool highlighted = false, openEnabled = true, stillShown = false;
    showOpen(selector, [&](QWidget* window) {
        QListWidget* list = siteList(window);
        shown = listTexts(window, "SiteList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        highlighted = list->item(0)->isSelected();
        openEnabled = button(window, "CmdLoad")->isEnabled();
        QTest::keyClick(list, Qt::Key_Return);
        doubleClickAt(list->viewport(), rowCentre(list, 0));
        stillShown = window->isVisible();
        button(window, "CmdCancel")->click();
    });

    QCOMPARE(shown, QStringList{"[No sites found]"});
    QVERIFY(highlighted);
    QVERIFY(!openEnabled);
    QVERIFY(stillShown);
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Cancel"));
    QCOMPARE(selector.CrvCfgDir(), QString());
    QVERIFY(dialogs.messages().isEmpty());
}

void TestSiteSelector::openAnswersTheHighlightedSite_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Open on the first site, highlighted at start") << "Open" << 0 << "Load";
    QTest::newRow("Enter") << "Enter" << 1 << "Load";
    QTest::newRow("double-click") << "double-click" << 1 << "Load";
    // The close box drops the list and sets no answer.
    QTest::newRow("close box") << "close" << 1 << "";
}

void TestSiteSelector::openAnswersTheHighlightedSite()
{
    QFETCH(QString, how);
    QFETCH(int, row);
    QFETCH(QString, answer);
    const QMap<QString, QString> dirs{
        {"Tarnwick North", addSite(config_, "north", "Tarnwick North")},
        {"Tarnwick South", addSite(config_, "south", "Tarnwick South")}};
    QDir().mkpath(config_ + "/Backup"); // no SiteInfo.cfg, so no site
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QStringList shown;
    QString chosen;
    showOpen(selector, [&](QWidget* window) {
        QListWidget* list = siteList(window);
        shown = listTexts(window, "SiteList");
        if (how == "double-click")
            doubleClickAt(list->viewport(), rowCentre(list, row));
        else if (row > 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
        if (!answer.isEmpty())
            chosen = list->item(row)->text();
        if (how == "Enter")
            QTest::keyClick(list, Qt::Key_Return);
        else if (how == "Open")
            button(window, "CmdLoad")->click();
        else if (how == "close")
            window->close();
    });

    shown.sort();
    QCOMPARE(shown, QStringList(dirs.keys()));
    QCOMPARE(selector.ButtonPressed(), answer);
    QCOMPARE(selector.CrvSiteName(), chosen);
    QCOMPARE(samePath(selector.CrvCfgDir()), dirs.value(chosen));
}

void TestSiteSelector::sitesOfTheSameNameAreTold()
{
    const QString first = addSite(config_, "a", "Tarnwick");
    const QString second = addSite(config_, "b", "Tarnwick");
    ScriptedDialogs dialogs;
    QStringList directories;
    for (int row = 0; row < 2; ++row) {
        FrmSiteSelector selector;
        showOpen(selector, [row](QWidget* window) {
            siteList(window)->setCurrentRow(row);
            button(window, "CmdLoad")->click();
        });
        QCOMPARE(selector.CrvSiteName(), QStringLiteral("Tarnwick"));
        directories.append(samePath(selector.CrvCfgDir()));
    }
    directories.sort();
    QCOMPARE(directories, (QStringList{first, second}));
}

void TestSiteSelector::browseRefreshesOnlyAfterSelect_data()
{
    QTest::addColumn<bool>("select");
    QTest::newRow("Select") << true;
    QTest::newRow("Cancel") << false;
}

void TestSiteSelector::browseRefreshesOnlyAfterSelect()
{
    QFETCH(bool, select);
    const QString other = config_ + "/tarnwick/config";
    addSite(other, "west", "Tarnwick West");
    addSite(config_, "old", "Old Site");
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QString browseStart;
    QStringList before, after;
    const auto browse = [&](QWidget* window) {
        auto* tree = child<DirectoryTree>(window, "Dir1");
        browseStart = tree->path();
        tree->setPath(other);
        button(window, select ? "CmdOK" : "CmdCancel")->click();
    };
    const auto listThenPress = [](QStringList& texts, const char* name) {
        return [&texts, name](QWidget* window) {
            texts = listTexts(window, "SiteList");
            button(window, name)->click();
        };
    };
    showOpen(selector, {{"FrmSiteSelector", listThenPress(before, "CmdDirSelect")},
                        {"FrmFileSelector", browse},
                        {"FrmSiteSelector", listThenPress(after, "CmdCancel")}});

    QCOMPARE(samePath(browseStart), config_);
    QCOMPARE(before, QStringList{"Old Site"});
    QCOMPARE(samePath(ModGlobal::dirs.crvPath), select ? other : config_);
    QCOMPARE(after, select ? QStringList{"Tarnwick West"} : before);
}

void TestSiteSelector::helpShowsTheImportHelp()
{
    ScriptedDialogs dialogs;
    FrmSiteSelector selector;
    QString helpText;
    const auto readHelp = [&helpText](QWidget* window) {
        helpText = child<QTextBrowser>(window, "Rtb1")->toPlainText();
        window->close();
    };
    showOpen(selector, {{"FrmSiteSelector", press("Command1")},
                        {"FrmHelp", readHelp},
                        {"FrmSiteSelector", press("CmdCancel")}});

    QVERIFY2(helpText.startsWith("Import Corvane1 config"), qPrintable(helpText.left(80)));
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Cancel"));
}

QTEST_MAIN(TestSiteSelector)
#include "tst_siteselector.moc"
