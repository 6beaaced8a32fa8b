#include "corvane/DirectoryTree.h"
#include "corvane/FrmFileSelector.h"
#include "support/Children.h"
#include "support/DoubleClick.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

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
    QString config = root.filePath("program files/tarnwick/config");

    ConfigTree()
    {
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
    void actionsAnswer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("opened"); // below the config directory
        const QString open = QStringLiteral("Open"), cancel = QStringLiteral("Cancel");
        QTest::newRow("Enter on the open directory") << "Enter" << open << "";
        // A highlighted directory that is not the open one is not the answer.
        QTest::newRow("Enter, North highlighted") << "Enter on North" << open << "";
        QTest::newRow("double-click on a file") << "double-click a file" << open << "";
        QTest::newRow("Cancel") << "Cancel" << cancel << "";
        QTest::newRow("close box counts as Cancel") << "close" << cancel << "";
        // Opening a directory leaves the selector up, so Select is pressed after.
        QTest::newRow("double-click on a directory") << "double-click North" << open << "North";
    }

    // The file list shows the open directory's files only, sorted regardless of case; browsing
    // never changes the process's current directory.
    void actionsAnswer()
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
        QStringList files;
        bool closed = false;
        const QString currentBefore = QDir::currentPath();
        showSelect(selector, tree.config, [&](QWidget* window) {
            auto* dirs = child<DirectoryTree>(window, "Dir1");
            auto* fileList = child<QListWidget>(window, "File1");
            QTreeWidgetItem* north = dirs->findItems("North", Qt::MatchRecursive).value(0);
            if (how == "Enter on North")
                dirs->setCurrentItem(north);
            if (how == "double-click North")
                doubleClickAt(dirs->viewport(), dirs->visualItemRect(north).center());
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

        QCOMPARE(closed, opened.isEmpty());
        QCOMPARE(selector.ButtonPressed(), answer);
        QCOMPARE(selector.Path(), native(tree.config + "/" + opened));
        const QStringList own{"readme.txt", "Tarnwick.ini"};
        QCOMPARE(files, opened.isEmpty() ? own : QStringList{"SiteInfo.cfg"});
        QCOMPARE(QDir::currentPath(), currentBefore);
        QVERIFY(dialogs.messages().isEmpty());
    }

    // The starting directory lies on drive a:; picking drive b:, which is not ready, is told and
    // leaves a: shown.
    void driveNotReadyIsTold()
    {
        ConfigTree tree;
        QTemporaryDir otherRoot;
        const QString start = QDir::cleanPath(tree.root.path());
        const QString other = QDir::cleanPath(otherRoot.path());
        ScriptedDialogs dialogs;
        FrmFileSelector selector;
        selector.setDrives({{start, "a:"}, {other, "b:"}});
        selector.setDriveCheck([&](const QString& root) { return root == start; });
        QString driveShown;
        showSelect(selector, tree.config, [&](QWidget* window) {
            auto* drives = child<QComboBox>(window, "Drive1");
            drives->setCurrentIndex(drives->findData(other));
            driveShown = drives->currentText();
            press(window, "CmdOK");
        });

        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Drive not ready"));
        QCOMPARE(dialogs.messages()[0].icon, MessageIcon::Exclamation);
        QCOMPARE(driveShown, QStringLiteral("a:"));
        QCOMPARE(selector.Path(), native(tree.config));
    }
};

QTEST_MAIN(TestFileSelector)
#include "tst_fileselector.moc"
