#pragma once

#include "common/Dialogs.h"

// Dialogs that show nothing. Notices are answered OK, a CSV question OK, "Save this site
// before closing?" No, as a user opening one site after another does, and a file dialog with
// the file set here (cancelled when none is); each kind is counted, so a run can tell what came
// up.
class NullDialogs : public Dialogs
{
public:
    NullDialogs();
    ~NullDialogs() override;
    NullDialogs(const NullDialogs&) = delete;
    NullDialogs& operator=(const NullDialogs&) = delete;

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    void setChosenFile(const QString& path) { chosenFile_ = path; }

    long long notices() const { return notices_; }
    long long questions() const { return questions_; }
    long long saveQuestions() const { return saveQuestions_; }
    long long fileDialogs() const { return fileDialogs_; }

private:
    Dialogs* previous_;
    long long notices_ = 0;
    long long questions_ = 0;
    long long saveQuestions_ = 0;
    long long fileDialogs_ = 0;
    QString chosenFile_;
};
