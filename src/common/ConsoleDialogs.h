#pragma once

#include "Dialogs.h"

#include <cstdio>

// Writes every box to standard error and answers questions with OK (or Yes) when told to,
// Cancel otherwise. File dialogs are always cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(bool answerYes, std::FILE* stream = stderr);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

private:
    bool answerYes_;
    std::FILE* stream_;
};
