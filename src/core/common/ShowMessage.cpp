#include "ShowMessage.h"

namespace ModFunc {

void ShowMessage(const QString& text)
{
    AskUser(text, EditorTitle(), MessageIcon::Information, MessageButtons::Ok);
}

QString FailureText(const QString& operationLine, const QString& description)
{
    return operationLine + QStringLiteral("\r\n") + description;
}

MessageRequest FileFailureBox(const QString& operationLine, const QString& path,
                              const QString& description, MessageIcon icon)
{
    return {FailureText(operationLine, path + QStringLiteral("\r\n") + description),
            ApplicationTitle(), icon, MessageButtons::Ok};
}

} // namespace ModFunc
