#include "FuzzDialogs.h"

FuzzDialogs::FuzzDialogs(MessageAnswer answer) : answer_(answer), previous_(Dialogs::install(this))
{}

FuzzDialogs::~FuzzDialogs()
{
    Dialogs::install(previous_);
}

MessageAnswer FuzzDialogs::showMessage(const MessageRequest& request)
{
    if (request.buttons != MessageButtons::Ok) {
        ++questions_;
        return answer_;
    }
    ++notices_;
    lastNotice_ = request.text;
    return MessageAnswer::Ok;
}

std::optional<QString> FuzzDialogs::chooseFile(const FileDialogRequest&)
{
    return std::nullopt;
}
