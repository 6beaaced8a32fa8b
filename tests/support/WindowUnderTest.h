#pragma once

#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSettings.h"
#include "support/WindowParts.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QApplication>
#include <QClipboard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The editor window a GUI test drives, made after the settings of earlier tests are cleared and
// with every box answered by script. Tests derive from it beside QObject.
struct WindowUnderTest
{
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FrmDips> window;
    std::unique_ptr<QTemporaryDir> dir;

    // Once per program: settings and data apart from the user's, menus that take their letter
    // at once.
    static void prepareApplication()
    {
        useTestSettings();
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    }

    // Makes and shows a fresh window and a folder for its files; false when either failed.
    bool openWindow()
    {
        ModGlobal::OpenSettingsStore()->clear();
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogs>();
        window = std::make_unique<FrmDips>();
        window->show();
        return dir->isValid() && QTest::qWaitForWindowActive(window.get(), 30000);
    }

    QString path(const QString& name) const
    {
        return QDir::toNativeSeparators(dir->filePath(name));
    }

    // A box the test did not script, or a scripted answer no box took, fails a passing test.
    void verifyScriptUsed() const
    {
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(dialogs->unexpectedQuestions(), 0);
        QCOMPARE(dialogs->unusedAnswers(), 0);
    }

    void closeWindow()
    {
        window.reset();
        dialogs.reset();
        dir.reset();
    }

    ChannelTableModel& table() const { return partOf<ChannelTableModel>(*window); }
    ChannelGridView* grid() const { return &partOf<ChannelGridView>(*window, "SGGrid1"); }
    QModelIndex cell(int row, int column) const { return table().index(row, column); }

    // The clipboard's text pasted by its key on the grid, from the cell given.
    void pasteAt(int row, int column, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        grid()->setCurrentIndex(cell(row, column));
        QTest::keySequence(grid(), QKeySequence::Paste);
    }

    // Alt+F, then the item's underlined letter; the item ran, so the menu is gone.
    void fileMenu(Qt::Key mnemonic)
    {
        // Offscreen, the window is not made active again when a dialog over it goes; the user
        // would click it.
        if (!QApplication::focusWidget()) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get(), 30000));
            grid()->setFocus();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), "MnuFile");
        QTest::keyClick(menu, mnemonic);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    // Opens the file as the user does: Ctrl+O and the file dialog.
    void openByKeys(const QString& path)
    {
        dialogs->chooseNext(path);
        QTest::keySequence(grid(), QKeySequence::Open);
        QCOMPARE(partOf<DocumentCommands>(*window).site().sitePath, path);
    }
};
