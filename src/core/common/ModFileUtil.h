#pragma once

#include "Dialogs.h"

#include <QString>
#include <QStringList>

#include <optional>

// Files and directories, as the Corvane import needs them.
namespace ModFileUtil {

// True when a file or a directory of that name exists.
bool FileExists(const QString& path);

// True when the path is a directory that can be entered. Leaves the process's current
// directory alone.
bool IsDirectory(const QString& path);

struct Subdirectories
{
    QStringList names{QString()};          // one-based: index 0 is empty
    std::optional<MessageRequest> failure; // "Error while getting subdirectories."
};

// The subdirectories of a directory in the order the file system lists them; hidden entries,
// "." and ".." are left out. When the directory cannot be listed, the failure says why.
Subdirectories ListSubdirectories(const QString& directory);

// The directory and the name joined with the platform's separator; the name alone (in the
// current folder) for an empty directory.
QString JoinPath(const QString& directory, const QString& name);

// The path of the file `name` in `directory`, matched without regard to letter case as
// Windows matches it: an existing file's own spelling, else the name as given.
QString FindFileIgnoringCase(const QString& directory, const QString& name);

} // namespace ModFileUtil
