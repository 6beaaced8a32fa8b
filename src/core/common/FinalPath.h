#pragma once

#include <QString>

// The file a path names, found the way the system finds it: through every link of a chain and
// through ".." as the system follows it (after a linked folder, ".." is that folder's real
// parent), never by editing the path's text. A name without a folder is in the current folder.
namespace FinalPath {

// The absolute path of the file `path` names, itself no link; for a file that is not there
// yet, of the file that writing to `path` would create.
QString of(const QString& path);

} // namespace FinalPath
