#pragma once

#include "support/ScriptedDialogs.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QTest>

#include <memory>

// The editor window a GUI test drives, made after the settings of earlier tests are cleared and
// with every box answered by script. Tests derive from it beside QObject.
struct WindowUnderTest
{
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FrmDips> window;

    // Makes and shows a fresh window; false when it never became active.
    bool openWindow()
    {
        ModGlobal::OpenSettingsStore()->clear();
        dialogs = std::make_unique<ScriptedDialogs>();
        window = std::make_unique<FrmDips>();
        window->show();
        return QTest::qWaitForWindowActive(window.get());
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
    }
};
