#pragma once

#include "common/Dialogs.h"

#include <QString>

// Dialogs for the fuzz targets: answers every question with one fixed button, counts the
// boxes and keeps only the last notice, so a long run does not grow with what it showed.
// Installs itself for its lifetime.
class FuzzDialogs : public Dialogs
{
public:
    explicit FuzzDialogs(MessageAnswer answer);
    ~FuzzDialogs() override;
    FuzzDialogs(const FuzzDialogs&) = delete;
    FuzzDialogs& operator=(const FuzzDialogs&) = delete;

    MessageAnswer showMessage(const MessageRequest& request) override;
    // Always cancelled: no reader asks for a file.
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    int questions() const { return questions_; }
    int notices() const { return notices_; }
    const QString& lastNotice() const { return lastNotice_; }

private:
    MessageAnswer answer_;
    Dialogs* previous_;
    int questions_ = 0;
    int notices_ = 0;
    QString lastNotice_;
};
