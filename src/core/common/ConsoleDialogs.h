#pragma once

#include "Dialogs.h"

#include <QStringList>

#include <cstdio>

// Writes every box to standard error and answers questions with OK (or Yes) when told to,
// Cancel otherwise. File dialogs are always cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(bool answerYes, std::FILE* stream = stderr);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    // Whether a box with exactly this text was shown.
    bool hasShown(const QString& text) const { return shown_.contains(text); }

private:
    bool answerYes_;
    std::FILE* stream_;
    QStringList shown_;
};
