// The directory selector on Windows: drive letters as Windows has them, a start directory given
// with a drive letter and backslashes, and a letter with no drive behind it.
#include "corvane/DirectoryTree.h"
#include "corvane/FrmFileSelector.h"
#include "support/Children.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItem>

#include <qt_windows.h>

namespace {

// Windows' own answer, letter and colon in lower case: "c:", "z:".
QStringList windowsDrives()
{
    QStringList drives;
    const DWORD present = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (present & (DWORD(1) << letter))
            drives << QString(QChar(u'a' + letter)) + u':';
    }
    return drives;
}

// The root of a letter that no drive uses, as the drive list keeps roots ("Q:/").
QString letterWithoutDrive()
{
    const DWORD present = GetLogicalDrives();
    for (int letter = 'Y' - 'A'; letter > 'C' - 'A'; --letter) {
        if (!(present & (DWORD(1) << letter)))
            return QString(QChar(u'A' + letter)) + ":/";
    }
    return QString();
}

QStringList comboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

class TestDrives : public QObject
{
    Q_OBJECT

private slots:
    void selectorListsTheDriveLetters();
    void letterWithoutADriveIsNotReady();
};

void TestDrives::selectorListsTheDriveLetters()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir().mkpath(dir.filePath("Tarnwick/Config")));
    const QString start = QDir::toNativeSeparators(dir.filePath("Tarnwick/Config"));
    QVERIFY2(start.startsWith("C:\\"), qPrintable(start));
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    QStringList drives;
    QString driveShown, treeTop;
    ModalDriver driver;
    driver.when("FrmFileSelector", [&](QWidget* window) {
        auto* combo = child<QComboBox>(window, "Drive1");
        drives = comboTexts(combo);
        driveShown = combo->currentText();
        auto* tree = child<DirectoryTree>(window, "Dir1");
        treeTop = tree->topLevelItemCount() ? tree->topLevelItem(0)->text(0) : QString();
        child<QPushButton>(window, "CmdOK")->click();
    });
    selector.ShowSelectDirectory(start);
    QVERIFY(driver.finished());

    QCOMPARE(drives, windowsDrives());
    QVERIFY(drives.contains("c:"));
    QCOMPARE(driveShown, "c:");
    QCOMPARE(treeTop, "c:\\");
    QCOMPARE(selector.ButtonPressed(), "Open");
    QCOMPARE(selector.Path(), start);
    QCOMPARE(dialogs.texts(), QStringList());
}

// Picking the letter is told and leaves drive c: shown, with the selector's own drive check.
void TestDrives::letterWithoutADriveIsNotReady()
{
    const QString missing = letterWithoutDrive();
    QVERIFY(!missing.isEmpty());
    QVERIFY(!QDir(missing).exists());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString start = QDir::toNativeSeparators(dir.path());
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    selector.setDrives({{"C:/", "c:"}, {missing, missing.left(2).toLower()}});
    QString driveShown;
    ModalDriver driver;
    driver.when("FrmFileSelector", [&](QWidget* window) {
        auto* combo = child<QComboBox>(window, "Drive1");
        combo->setCurrentIndex(combo->findData(missing));
        driveShown = combo->currentText();
        child<QPushButton>(window, "CmdOK")->click();
    });
    selector.ShowSelectDirectory(start);
    QVERIFY(driver.finished());

    QCOMPARE(dialogs.texts(), QStringList{"Drive not ready"});
    QCOMPARE(dialogs.messages()[0].icon, MessageIcon::Exclamation);
    QCOMPARE(driveShown, "c:");
    QCOMPARE(selector.Path(), start);
}

QTEST_MAIN(TestDrives)
#include "tst_drives.moc"
