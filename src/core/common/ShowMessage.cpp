#include "ShowMessage.h"

#include "Dialogs.h"

namespace ModFunc {

void ShowMessage(const QString& text)
{
    AskUser(text, EditorTitle(), MessageIcon::Information, MessageButtons::Ok);
}

QString FailureText(const QString& operationLine, const QString& description)
{
    return operationLine + QStringLiteral("\r\n") + description;
}

} // namespace ModFunc
