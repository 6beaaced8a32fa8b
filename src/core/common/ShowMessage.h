#pragma once

#include <QString>

namespace ModFunc {

// The modal information box with one OK button, titled "ZR415 configuration editor".
void ShowMessage(const QString& text);

// A failure report: the line naming the operation, CR LF, the failure's description.
QString FailureText(const QString& operationLine, const QString& description);

} // namespace ModFunc
