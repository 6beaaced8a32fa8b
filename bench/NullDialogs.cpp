#include "NullDialogs.h"

NullDialogs::NullDialogs() : previous_(Dialogs::install(this)) {}

NullDialogs::~NullDialogs()
{
    Dialogs::install(previous_);
}

MessageAnswer NullDialogs::showMessage(const MessageRequest& request)
{
    if (request.buttons == MessageButtons::Ok)
        ++notices_;
    else
        ++questions_;
    return MessageAnswer::Ok;
}

std::optional<QString> NullDialogs::chooseFile(const FileDialogRequest&)
{
    return std::nullopt;
}
