#include "ModFileUtil.h"

#include "Dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

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
    // A directory that is not there has no subdirectories; that is not worth a box.
    if (!FileExists(directory))
        return names;
    // QDirIterator cannot say why it found nothing, so the directory is opened once to learn
    // whether, and why, it cannot be listed.
    std::error_code error;
    const std::filesystem::directory_iterator probe(QDir(directory).filesystemPath(), error);
    if (error) {
        AskUser(QStringLiteral("Error while getting subdirectories.\r\n%1\r\n%2")
                    .arg(directory, QString::fromLocal8Bit(error.message())),
                ApplicationTitle(), MessageIcon::Exclamation, MessageButtons::Ok);
        return names;
    }
    // Without QDir::Hidden and QDir::System, hidden and system entries are not listed.
    QDirIterator entries(directory, QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QString name = entries.nextFileInfo().fileName();
        if (IsDirectory(JoinPath(directory, name)))
            names.append(name);
    }
    return names;
}

} // namespace ModFileUtil
