#pragma once

#include "common/Dialogs.h"

// Dialogs that show nothing: the readers' count messages would otherwise print or block.
// Every box is answered OK and counted, so a run can tell that no question came up.
class NullDialogs : public Dialogs
{
public:
    NullDialogs();
    ~NullDialogs() override;
    NullDialogs(const NullDialogs&) = delete;
    NullDialogs& operator=(const NullDialogs&) = delete;

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    long long notices() const { return notices_; }
    long long questions() const { return questions_; }

private:
    Dialogs* previous_;
    long long notices_ = 0;
    long long questions_ = 0;
};
