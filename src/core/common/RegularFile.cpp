#include "RegularFile.h"

#include "SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace RegularFile {

QString refusal(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return SystemError::text(EISDIR);
    return notRegularText();
}

#ifdef Q_OS_WIN

QString writeRefusal(const QString& path)
{
    const DWORD attributes = GetFileAttributesW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return qt_error_string(ERROR_ACCESS_DENIED);
    return {};
}

#else

QString writeRefusal(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {};
    if (::stat(name.constData(), &status) != 0)
        return {};
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return SystemError::text(EACCES);
    if (::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0)
        return SystemError::last();
    return {};
}

#endif

QString notRegularText()
{
    return QStringLiteral("Not a regular file");
}

} // namespace RegularFile
