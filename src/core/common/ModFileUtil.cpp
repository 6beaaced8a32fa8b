#include "ModFileUtil.h"

#include "ShowMessage.h"

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
    // No folder is the current folder, as the system takes a bare name.
    if (directory.isEmpty())
        return name;
    return directory + QDir::separator() + name;
}

QString FindFileIgnoringCase(const QString& directory, const QString& name)
{
    const QString exact = JoinPath(directory, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList found =
        QDir(directory).entryList({name}, QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& entry : found) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return JoinPath(directory, entry);
    }
    return exact;
}

Subdirectories ListSubdirectories(const QString& directory)
{
    Subdirectories result;
    // A directory that is not there has no subdirectories; that is not worth a box.
    if (!FileExists(directory))
        return result;
    // QDirIterator cannot say why it found nothing, so the directory is opened once to learn
    // whether, and why, it cannot be listed.
    std::error_code error;
    const std::filesystem::directory_iterator probe(QDir(directory).filesystemPath(), error);
    if (error) {
        result.failure = ModFunc::FileFailureBox(
            QStringLiteral("Error while getting subdirectories."), directory,
            QString::fromLocal8Bit(error.message()), MessageIcon::Exclamation);
        return result;
    }
    // Without QDir::Hidden and QDir::System, hidden and system entries are not listed.
    QDirIterator entries(directory, QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QString name = entries.nextFileInfo().fileName();
        if (IsDirectory(JoinPath(directory, name)))
            result.names.append(name);
    }
    return result;
}

} // namespace ModFileUtil
