#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() : previous_(Dialogs::install(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(previous_);
}

MessageAnswer ScriptedDialogs::showMessage(const MessageRequest& request)
{
    messages_.append(request);
    // A notice needs no answer, so it never takes one meant for a question.
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers_.empty()) {
        ++unexpectedQuestions_;
        return MessageAnswer::Cancel;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseFile(const FileDialogRequest& request)
{
    fileRequests_.append(request);
    if (paths_.empty())
        return std::nullopt;
    const std::optional<QString> path = paths_.front();
    paths_.pop_front();
    return path;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const MessageRequest& request : messages_)
        result.append(request.text);
    return result;
}

void ScriptedDialogs::clear()
{
    answers_.clear();
    paths_.clear();
    messages_.clear();
    fileRequests_.clear();
    unexpectedQuestions_ = 0;
}
