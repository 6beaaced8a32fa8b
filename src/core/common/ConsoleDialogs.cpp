#include "ConsoleDialogs.h"

namespace {

MessageAnswer answerFor(MessageButtons buttons, bool yes)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return yes ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return yes ? MessageAnswer::Yes : MessageAnswer::Cancel;
    case MessageButtons::RestoreDiscard:
        return yes ? MessageAnswer::Restore : MessageAnswer::Discard;
    }
    return MessageAnswer::Cancel;
}

const char* answerText(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return "[OK]";
    case MessageAnswer::Cancel:
        return "[Cancel]";
    case MessageAnswer::Yes:
        return "[Yes]";
    case MessageAnswer::No:
        return "[No]";
    case MessageAnswer::Restore:
        return "[Restore]";
    case MessageAnswer::Discard:
        return "[Discard]";
    }
    return "";
}

} // namespace

ConsoleDialogs::ConsoleDialogs(bool answerYes, std::FILE* stream)
    : answerYes_(answerYes), stream_(stream)
{}

MessageAnswer ConsoleDialogs::showMessage(const MessageRequest& request)
{
    shown_.append(request.text);
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const MessageAnswer answer = answerFor(request.buttons, answerYes_);
    std::fputs(text.toLocal8Bit().constData(), stream_);
    std::fputc('\n', stream_);
    if (request.buttons != MessageButtons::Ok) {
        std::fputs(answerText(answer), stream_);
        std::fputc('\n', stream_);
    }
    std::fputc('\n', stream_);
    std::fflush(stream_);
    return answer;
}

std::optional<QString> ConsoleDialogs::chooseFile(const FileDialogRequest&)
{
    return std::nullopt;
}
