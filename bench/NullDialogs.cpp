#include "NullDialogs.h"

NullDialogs::NullDialogs() : previous_(Dialogs::install(this)) {}

NullDialogs::~NullDialogs()
{
    Dialogs::install(previous_);
}

MessageAnswer NullDialogs::showMessage(const MessageRequest& request)
{
    switch (request.buttons) {
    case MessageButtons::Ok:
        ++notices_;
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        ++questions_;
        return MessageAnswer::Ok;
    case MessageButtons::YesNoCancel:
        ++saveQuestions_;
        return MessageAnswer::No;
    // No run means to meet these; counted, so that one that does can tell.
    case MessageButtons::YesNo:
        ++questions_;
        return MessageAnswer::No;
    case MessageButtons::RestoreDiscard:
        ++questions_;
        return MessageAnswer::Discard;
    }
    return MessageAnswer::Cancel;
}

std::optional<QString> NullDialogs::chooseFile(const FileDialogRequest&)
{
    ++fileDialogs_;
    if (chosenFile_.isEmpty())
        return std::nullopt;
    return chosenFile_;
}
