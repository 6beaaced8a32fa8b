#pragma once

#include "Dialogs.h"

#include <QString>

namespace ModFunc {

// The modal information box with one OK button, titled "ZR415 configuration editor".
void ShowMessage(const QString& text);

// A failure report: the line naming the operation, CR LF, the failure's description.
QString FailureText(const QString& operationLine, const QString& description);

// The failure box of a file routine: the operation's line, the path and the description on
// lines of their own, titled "ZR415Config".
MessageRequest FileFailureBox(const QString& operationLine, const QString& path,
                              const QString& description, MessageIcon icon);

} // namespace ModFunc
