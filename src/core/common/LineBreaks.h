#pragma once

#include <QString>
#include <QStringView>

namespace ModFunc {

// Whether the text holds a CR or an LF.
bool HasLineBreak(QStringView text);

// The text with each line break (CR LF, a lone CR or a lone LF) as one space, so that a name
// stays on its one line of a list and in its one cell.
QString LineBreaksAsSpaces(QString text);

} // namespace ModFunc
