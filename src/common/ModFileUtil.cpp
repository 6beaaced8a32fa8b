#include "ModFileUtil.h"

#include "Dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace ModFileUtil {

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool IsDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isDir() && info.isExecutable();
}

QString JoinPath(const QString& directory, const QString& name)
{
    return directory + QDir::separator() + name;
}

QStringList ListSubdirectories(const QString& directory)
{
    QStringList names{QString()};
    const QFileInfo info(directory);
    if (info.isDir() && !info.isReadable()) {
        AskUser(QStringLiteral("Error while getting subdirectories.\r\n%1\r\nPermission denied")
                    .arg(directory),
                ApplicationTitle(), MessageIcon::Exclamation, MessageButtons::Ok);
        return names;
    }
    QDirIterator entries(directory, QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QString name = entries.nextFileInfo().fileName();
        if (IsDirectory(JoinPath(directory, name)))
            names.append(name);
    }
    return names;
}

} // namespace ModFileUtil
