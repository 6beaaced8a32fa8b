// A key bound to two actions fires neither: Qt calls it ambiguous and drops it. The platform's
// standard keys differ (on X11 Delete is Del and Ctrl+D, Fill Down's key), so this test runs on
// the X11 platform too where a display server can be had.
#include "support/ScriptedDialogs.h"
#include "support/TestSettings.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QAction>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>

class TestShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        useTestSettings();
        QStandardPaths::setTestModeEnabled(true);
    }

    void noKeyTwice()
    {
        ScriptedDialogs dialogs;
        FrmDips window;
        QMap<QKeySequence, QString> owners;
        for (const QAction* action : window.findChildren<QAction*>()) {
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!owners.contains(key),
                         qPrintable(key.toString() + " is bound to " + owners.value(key) + " and " +
                                    action->objectName()));
                owners.insert(key, action->objectName());
            }
        }
        QVERIFY(owners.contains(QKeySequence(Qt::CTRL | Qt::Key_D)));
        QVERIFY(owners.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    }

    // Two items of a menu with the same underlined letter: the letter only moves between them.
    void everyMenuItemHasALetterOfItsOwn()
    {
        ScriptedDialogs dialogs;
        FrmDips window;
        for (const QMenu* menu : window.findChildren<QMenu*>()) {
            QMap<QKeySequence, QString> owners;
            for (const QAction* action : menu->actions()) {
                const QKeySequence letter = QKeySequence::mnemonic(action->text());
                if (letter.isEmpty())
                    continue;
                QVERIFY2(!owners.contains(letter),
                         qPrintable(menu->objectName() + ": " + letter.toString() +
                                    " underlined in " + owners.value(letter) + " and " +
                                    action->text()));
                owners.insert(letter, action->text());
            }
        }
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
