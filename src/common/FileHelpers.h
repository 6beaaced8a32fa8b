#pragma once

#include <QString>

namespace ModFunc {

// Deletes a file and ignores every failure.
void DeleteFileQuietly(const QString& path);

} // namespace ModFunc
