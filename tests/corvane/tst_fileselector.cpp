#include "../support/Children.h"
#include "../support/DoubleClick.h"
#include "../support/ModalDriver.h"
#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "corvane/DirectoryTree.h"
#include "corvane/FrmFileSelector.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
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

QString native(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

QTreeWidgetItem* dirEntry(QWidget* window, const QString& name)
{
    const QList<QTreeWidgetItem*> found =
        child<DirectoryTree>(window, "Dir1")
            ->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickEntry(QWidget* window, const QString& name, bool twice)
{
    auto* tree = child<DirectoryTree>(window, "Dir1");
    QTreeWidgetItem* item = dirEntry(window, name);
    if (!item)
        return;
    const QPoint centre = tree->visualItemRect(item).center();
    if (twice)
        doubleClickAt(tree->viewport(), centre);
    else
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class TestFileSelector : public QObject
{
    Q_OBJECT

private slots:
    void opensTheStartingDirectory();
    void buttonsAndKeysAnswer_data();
    void buttonsAndKeysAnswer();
    void onlyTheOpenDirectoryCounts_data();
    void onlyTheOpenDirectoryCounts();
    void drivesAreChecked_data();
    void drivesAreChecked();
    void missingStartingDirectoryGivesNoMessage();
};

void TestFileSelector::opensTheStartingDirectory()
{
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    QString caption, tip, dirPath, okText, cancelText;
    QStringList files;
    bool okIsDefault = false;
    ModalDriver driver;
    driver.when("FrmFileSelector", [&](QWidget* window) {
        caption = window->windowTitle();
        tip = child<QLabel>(window, "Label3")->text();
        dirPath = child<DirectoryTree>(window, "Dir1")->path();
        files = listTexts(window, "File1");
        okText = child<QPushButton>(window, "CmdOK")->text();
        okIsDefault = child<QPushButton>(window, "CmdOK")->isDefault();
        cancelText = child<QPushButton>(window, "CmdCancel")->text();
        child<QPushButton>(window, "CmdOK")->click();
    });
    const QString before = QDir::currentPath();
    selector.ShowSelectDirectory(tree.config);

    QVERIFY(driver.finished());
    QCOMPARE(caption, QStringLiteral("Select directory"));
    QCOMPARE(tip,
             QStringLiteral("Tip: This will usually be \"c:\\program files\\tarnwick\\config\""));
    QCOMPARE(dirPath, native(tree.config));
    QCOMPARE(files, (QStringList{"readme.txt", "Tarnwick.ini"}));
    QCOMPARE(okText, QStringLiteral("Select"));
    QVERIFY(okIsDefault);
    QCOMPARE(cancelText, QStringLiteral("Cancel"));
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Open"));
    QCOMPARE(selector.Path(), native(tree.config));
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestFileSelector::buttonsAndKeysAnswer_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Select") << "Select"
                            << "Open";
    QTest::newRow("Enter") << "Enter"
                           << "Open";
    QTest::newRow("Enter in the directory list on the open directory") << "Enter in Dir1"
                                                                       << "Open";
    QTest::newRow("double-click on a file") << "double-click"
                                            << "Open";
    QTest::newRow("Cancel") << "Cancel"
                            << "Cancel";
    QTest::newRow("Esc") << "Esc"
                         << "Cancel";
    QTest::newRow("close box") << "close"
                               << "Cancel";
}

void TestFileSelector::buttonsAndKeysAnswer()
{
    QFETCH(QString, how);
    QFETCH(QString, answer);
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    ModalDriver driver;
    // The first use answers the other way, so the second must set its own answer.
    const char* otherButton = answer == "Open" ? "CmdCancel" : "CmdOK";
    driver.when("FrmFileSelector", [otherButton](QWidget* window) {
        child<QPushButton>(window, otherButton)->click();
    });
    selector.ShowSelectDirectory(tree.config);
    QVERIFY(selector.ButtonPressed() != answer);
    driver.when("FrmFileSelector", [how](QWidget* window) {
        if (how == "Select")
            child<QPushButton>(window, "CmdOK")->click();
        else if (how == "Enter")
            QTest::keyClick(child<QListWidget>(window, "File1"), Qt::Key_Return);
        else if (how == "Enter in Dir1")
            QTest::keyClick(child<DirectoryTree>(window, "Dir1"), Qt::Key_Return);
        else if (auto* files = child<QListWidget>(window, "File1"); how == "double-click")
            doubleClickAt(files->viewport(), files->visualItemRect(files->item(1)).center());
        else if (how == "Cancel")
            child<QPushButton>(window, "CmdCancel")->click();
        else if (how == "Esc")
            QTest::keyClick(window, Qt::Key_Escape);
        else
            window->close();
    });
    selector.ShowSelectDirectory(tree.config);

    QVERIFY(driver.finished());
    QCOMPARE(selector.ButtonPressed(), answer);
    QCOMPARE(selector.Path(), native(tree.config));
}

void TestFileSelector::onlyTheOpenDirectoryCounts_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected"); // below the config directory
    QTest::addColumn<QStringList>("files");
    QTest::newRow("highlighted only") << "click"
                                      << "" << QStringList{"readme.txt", "Tarnwick.ini"};
    QTest::newRow("double-click opens") << "double-click"
                                        << "North" << QStringList{"SiteInfo.cfg"};
    QTest::newRow("Enter opens") << "Enter"
                                 << "North" << QStringList{"SiteInfo.cfg"};
    QTest::newRow("parent opened") << "double-click tarnwick"
                                   << ".." << QStringList{};
}

void TestFileSelector::onlyTheOpenDirectoryCounts()
{
    QFETCH(QString, how);
    QFETCH(QString, expected);
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    QString highlighted;
    QStringList files;
    bool stillShown = false;
    ModalDriver driver;
    driver.when("FrmFileSelector", [&](QWidget* window) {
        clickEntry(window, how == "double-click tarnwick" ? "tarnwick" : "North",
                   how.startsWith("double-click"));
        if (how == "Enter")
            QTest::keyClick(child<DirectoryTree>(window, "Dir1"), Qt::Key_Return);
        stillShown = window->isVisible();
        highlighted = child<DirectoryTree>(window, "Dir1")->highlightedPath();
        files = listTexts(window, "File1");
        child<QPushButton>(window, "CmdOK")->click();
    });
    const QString before = QDir::currentPath();
    selector.ShowSelectDirectory(tree.config);

    QVERIFY(driver.finished());
    QVERIFY(stillShown);
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Open"));
    QCOMPARE(selector.Path(), native(tree.config + "/" + expected));
    if (how == "click")
        QCOMPARE(highlighted, native(tree.config + "/North"));
    QTEST(files, "files");
    QCOMPARE(QDir::currentPath(), before);
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
    QString driveShown, dirAfter;
    ModalDriver driver;
    driver.when("FrmFileSelector", [&](QWidget* window) {
        auto* drives = child<QComboBox>(window, "Drive1");
        if (pickOther)
            drives->setCurrentIndex(drives->findData(other));
        driveShown = drives->currentText();
        dirAfter = child<DirectoryTree>(window, "Dir1")->path();
        child<QPushButton>(window, "CmdOK")->click();
    });
    selector.ShowSelectDirectory(tree.config);

    QVERIFY(driver.finished());
    if (!otherReady) {
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Drive not ready"));
        QCOMPARE(dialogs.messages()[0].title, QStringLiteral("ZR415Config"));
        QCOMPARE(dialogs.messages()[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogs.messages()[0].buttons, MessageButtons::Ok);
        QCOMPARE(driveShown, QStringLiteral("a:"));
        QCOMPARE(dirAfter, native(tree.config));
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
    auto* dir1 = child<DirectoryTree>(&selector, "Dir1");
    QCOMPARE(dir1->topLevelItemCount(), 1);
    QCOMPARE(dir1->topLevelItem(0)->text(0), QStringLiteral("b:\\"));
    QCOMPARE(dir1->topLevelItem(0)->child(0)->text(0), QStringLiteral("inside"));
}

void TestFileSelector::missingStartingDirectoryGivesNoMessage()
{
    ConfigTree tree;
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    ModalDriver driver;
    driver.when("FrmFileSelector",
                [](QWidget* window) { child<QPushButton>(window, "CmdOK")->click(); });
    selector.ShowSelectDirectory(tree.config + "/gone");

    QVERIFY(driver.finished());
    QVERIFY(dialogs.messages().isEmpty());
    QCOMPARE(selector.ButtonPressed(), QStringLiteral("Open"));
    QVERIFY(!selector.Path().isEmpty());
    QVERIFY(QFileInfo(selector.Path()).isDir());
}

QTEST_MAIN(TestFileSelector)
#include "tst_fileselector.moc"
