#pragma once

#include <QString>

// Path routines of the document commands.
namespace SitePaths {

// The text before its first "." (the whole text when it has none).
QString StripExtension(const QString& fileName);
// The path up to and including its last separator; empty when it has none.
QString DirectoryOf(const QString& path);
// The file's name without its directory.
QString FileTitleOf(const QString& path);

} // namespace SitePaths
