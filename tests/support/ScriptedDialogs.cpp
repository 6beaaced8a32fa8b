#include "ScriptedDialogs.h"

#include <algorithm>
#include <vector>

namespace {

// The live scripted dialogs, newest last, and what was installed before the first of them:
// whatever order they are destroyed in, the newest live one (or that) stays installed.
std::vector<ScriptedDialogs*> liveDialogs;
Dialogs* dialogsBefore = nullptr;

} // namespace

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs* previous = Dialogs::install(this);
    if (liveDialogs.empty())
        dialogsBefore = previous;
    liveDialogs.push_back(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    liveDialogs.erase(std::remove(liveDialogs.begin(), liveDialogs.end(), this), liveDialogs.end());
    Dialogs::install(liveDialogs.empty() ? dialogsBefore : liveDialogs.back());
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

std::optional<QString> ScriptedDialogs::chooseFile(const FileDialogRequest&)
{
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
    unexpectedQuestions_ = 0;
}
