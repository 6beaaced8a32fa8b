#include "SystemError.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace SystemError {

QString text(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString last()
{
#ifdef Q_OS_WIN
    return qt_error_string(int(GetLastError()));
#else
    return text(errno);
#endif
}

QString linkLoopText()
{
#ifdef Q_OS_WIN
    return qt_error_string(ERROR_CANT_RESOLVE_FILENAME);
#else
    return text(ELOOP);
#endif
}

} // namespace SystemError
