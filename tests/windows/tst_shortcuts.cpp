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

    // A key bound twice fires neither; two items of a menu with the same underlined letter: the
    // letter only moves between them.
    void noKeyOrLetterTwice()
    {
        ScriptedDialogs dialogs;
        FrmDips window;
        QMap<QKeySequence, QString> keys;
        for (const QAction* action : window.findChildren<QAction*>()) {
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!keys.contains(key),
                         qPrintable(key.toString() + " is bound to " + keys.value(key) + " and " +
                                    action->objectName()));
                keys.insert(key, action->objectName());
            }
        }
        for (const QMenu* menu : window.findChildren<QMenu*>()) {
            QMap<QKeySequence, QString> letters;
            for (const QAction* action : menu->actions()) {
                const QKeySequence letter = QKeySequence::mnemonic(action->text());
                QVERIFY2(letter.isEmpty() || !letters.contains(letter),
                         qPrintable(menu->objectName() + ": " + letter.toString() +
                                    " underlined in " + letters.value(letter) + " and " +
                                    action->text()));
                letters.insert(letter, action->text());
            }
        }
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
