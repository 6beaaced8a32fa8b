#include "../support/Children.h"
#include "../support/DoubleClick.h"
#include "../support/ModalDriver.h"
#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "corvane/DirectoryTree.h"
#include "corvane/FrmFileSelector.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// <root>/program files/tarnwick/config with two sites and two files of its own.
struct ConfigTree
{
    QTemporaryDir root;
    QString config;

    ConfigTree()
    {
        config = root.filePath("program files/tarnwick/config");
        QDir().mkpath(config + "/South");
        for (const char* name : {"Tarnwick.ini", "readme.txt", "North/SiteInfo.cfg"})
            writeFile(config + "/" + name, {});
    }
};

// Shows the selector on `start` and runs `step` on it once it is up.
void showSelect(FrmFileSelector& selector, const QString& start,
                const std::function<void(QWidget*)>& step)
{
    ModalDriver driver;
    driver.when("FrmFileSelector", step);
    selector.ShowSelectDirectory(start);
    QVERIFY(driver.finished());
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

void press(QWidget* window, const char* name)
{
    child<QPushButton>(window, name)->click();
}

} // namespace

class TestFileSelector : public QObject
{
    Q_OBJECT

private slots:
    void actionsAnswer_data();
    void actionsAnswer();
    void drivesAreChecked_data();
    void drivesAreChecked();
    void missingStartingDirectoryGivesNoMessage();
};

void TestFileSelector::actionsAnswer_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("answer"); // Select is pressed when the action leaves it open
    QTest::addColumn<QString>("opened"); // below the config directory
    const QString open = QStringLiteral("Open"), cancel = QStringLiteral("Cancel");
    QTest::newRow("Enter on the open directory") << "Enter" << true << open << "";
    QTest::newRow("double-click on a file") << "double-click a file" << true << open << "";
    QTest::newRow("Cancel") << "Cancel" << true << cancel << "";
    QTest::newRow("close box") << "close" << true << cancel << "";
    QTest::newRow("click on a directory highlights it") << "click North" << false << open << "";
    QTest::newRow("double-click on a directory")
        << "double-click North" << false << open << "North";
    QTest::newRow("Enter on a directory") << "Enter North" << false << open << "North";
}

// The file list shows the open directory's files only, sorted regardless of case, and the
// working directory is never changed.
void TestFileSelector::actionsAnswer()
{
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(QString, opened);
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    // The first use answers the other way, so the second must set its own answer.
    showSelect(selector, tree.config, [&answer](QWidget* window) {
        press(window, answer == "Open" ? "CmdCancel" : "CmdOK");
    });
    QVERIFY(selector.ButtonPressed() != answer);
    QString highlighted;
    QStringList files;
    bool closed = false;
    const QString before = QDir::currentPath();
    showSelect(selector, tree.config, [&](QWidget* window) {
        auto* dirs = child<DirectoryTree>(window, "Dir1");
        auto* fileList = child<QListWidget>(window, "File1");
        if (how.endsWith("North")) {
            QTreeWidgetItem* north = dirs->findItems("North", Qt::MatchRecursive).value(0);
            const QPoint centre = dirs->visualItemRect(north).center();
            if (how.startsWith("double-click"))
                doubleClickAt(dirs->viewport(), centre);
            else
                QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, centre);
        }
        highlighted = dirs->highlightedPath();
        if (how.startsWith("Enter"))
            QTest::keyClick(dirs, Qt::Key_Return);
        else if (how == "double-click a file")
            doubleClickAt(fileList->viewport(),
                          fileList->visualItemRect(fileList->item(1)).center());
        else if (how == "Cancel")
            press(window, "CmdCancel");
        else if (how == "close")
            window->close();
        files = listTexts(window, "File1");
        closed = !window->isVisible();
        if (!closed)
            press(window, "CmdOK");
    });

    QTEST(closed, "closes");
    QCOMPARE(selector.ButtonPressed(), answer);
    QCOMPARE(selector.Path(), native(tree.config + "/" + opened));
    QCOMPARE(highlighted, native(tree.config + (how.endsWith("North") ? "/North" : "")));
    const QStringList own{"readme.txt", "Tarnwick.ini"};
    QCOMPARE(files, opened.isEmpty() ? own : QStringList{"SiteInfo.cfg"});
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestFileSelector::drivesAreChecked_data()
{
    QTest::addColumn<bool>("startReady");
    QTest::addColumn<bool>("otherReady");
    QTest::addColumn<bool>("pickOther");
    QTest::newRow("other drive not ready") << true << false << true;
    QTest::newRow("other drive ready") << true << true << true;
    QTest::newRow("starting drive not ready") << false << true << false;
}

// The starting directory lies on drive a:; drive b: holds one directory, "inside".
void TestFileSelector::drivesAreChecked()
{
    QFETCH(bool, startReady);
    QFETCH(bool, otherReady);
    QFETCH(bool, pickOther);
    ConfigTree tree;
    QTemporaryDir otherRoot;
    QVERIFY(QDir().mkdir(otherRoot.filePath("inside")));
    const QString start = QDir::cleanPath(tree.root.path());
    const QString other = QDir::cleanPath(otherRoot.path());
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    selector.setDrives({{start, "a:"}, {other, "b:"}});
    selector.setDriveCheck(
        [&](const QString& root) { return root == start ? startReady : otherReady; });
    QString driveShown;
    showSelect(selector, tree.config, [&](QWidget* window) {
        auto* drives = child<QComboBox>(window, "Drive1");
        if (pickOther)
            drives->setCurrentIndex(drives->findData(other));
        driveShown = drives->currentText();
        press(window, "CmdOK");
    });

    if (!otherReady) {
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Drive not ready"));
        QCOMPARE(dialogs.messages()[0].title, QStringLiteral("ZR415Config"));
        QCOMPARE(dialogs.messages()[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogs.messages()[0].buttons, MessageButtons::Ok);
        QCOMPARE(driveShown, QStringLiteral("a:"));
        QCOMPARE(selector.Path(), native(tree.config));
        return;
    }
    QVERIFY(dialogs.messages().isEmpty());
    if (!startReady) {
        QVERIFY(driveShown != "a:");
        return;
    }
    QCOMPARE(selector.Path(), native(other));
    // The tree starts at the drive, named as the drive list names it.
    auto* dirs = child<DirectoryTree>(&selector, "Dir1");
    QCOMPARE(dirs->topLevelItemCount(), 1);
    QCOMPARE(dirs->topLevelItem(0)->text(0), QStringLiteral("b:\\"));
    QCOMPARE(dirs->topLevelItem(0)->child(0)->text(0), QStringLiteral("inside"));
}

// The selector then stays where it was: some directory that exists.
void TestFileSelector::missingStartingDirectoryGivesNoMessage()
{
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    showSelect(selector, tree.config + "/gone", [](QWidget* window) { press(window, "CmdOK"); });

    QVERIFY(dialogs.messages().isEmpty());
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Open"));
    QVERIFY(QFileInfo(selector.Path()).isDir());
}

QTEST_MAIN(TestFileSelector)
#include "tst_fileselector.moc"
