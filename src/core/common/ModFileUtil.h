#pragma once

#include <QString>
#include <QStringList>

// Files and directories, as the Corvane import needs them.
namespace ModFileUtil {

// True when a file or a directory of that name exists.
bool FileExists(const QString& path);

// True when the path is a directory that can be entered. Leaves the process's current
// directory alone.
bool IsDirectory(const QString& path);

// The names of the subdirectories of a directory, one-based (index 0 is empty), in the order
// the file system lists them; hidden entries, "." and ".." are left out. A failure is reported
// ("Error while getting subdirectories.") and the names listed so far are returned.
QStringList ListSubdirectories(const QString& directory);

// The directory and the name joined with the platform's separator.
QString JoinPath(const QString& directory, const QString& name);

} // namespace ModFileUtil
