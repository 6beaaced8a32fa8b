#pragma once

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
};
