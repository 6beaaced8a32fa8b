#pragma once

#include "common/Dialogs.h"

#include <QString>

// The readers and writers hand their notices and questions back instead of showing them, so
// any box or file dialog while this is installed is a finding. Installs itself for its
// lifetime.
class FuzzDialogs : public Dialogs
{
public:
    FuzzDialogs();
    ~FuzzDialogs() override;
    FuzzDialogs(const FuzzDialogs&) = delete;
    FuzzDialogs& operator=(const FuzzDialogs&) = delete;

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

private:
    Dialogs* previous_;
};
