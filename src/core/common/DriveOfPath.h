#pragma once

#include <QString>

namespace ModFunc {

// The drive of a path as letter and colon in lower case ("c:"), from its first character
// alone; empty when that is not a letter (a network path, an empty path).
QString DriveOfPath(const QString& path);

} // namespace ModFunc
