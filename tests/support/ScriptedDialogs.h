#pragma once

#include "common/Dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>

// Dialogs for tests: records every box and file request and answers from a script.
// Installs itself for its lifetime. A question with no scripted answer is answered
// Cancel and counted in unexpectedQuestions, so a test sees a box it did not expect.
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    void chooseNext(const std::optional<QString>& path) { paths_.push_back(path); }

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    const QList<MessageRequest>& messages() const { return messages_; }
    QStringList texts() const;
    int unexpectedQuestions() const { return unexpectedQuestions_; }
    int unusedAnswers() const { return int(answers_.size() + paths_.size()); }
    void clear();

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QString>> paths_;
    QList<MessageRequest> messages_;
    int unexpectedQuestions_ = 0;
};
