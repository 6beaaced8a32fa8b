#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

// What a failed file operation reports for the C library's error number `error`. Windows words
// a missing folder itself (the file engine passes on GetLastError()), not as the C library does.
inline QString systemDescription(int error)
{
#ifdef Q_OS_WIN
    if (error == ENOENT)
        return qt_error_string(ERROR_PATH_NOT_FOUND);
    if (error == EACCES)
        return qt_error_string(ERROR_ACCESS_DENIED);
#endif
    return QString::fromLocal8Bit(std::strerror(error));
}
