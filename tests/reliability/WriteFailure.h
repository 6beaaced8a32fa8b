#pragma once

#include "common/AtomicFile.h"

#include <QString>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// Makes every file write of this process fail once a file would grow past `bytes`, while the
// object lives. Tests run as root, so permissions cannot make a write fail; the kernel's file
// size limit can (EFBIG, as a full device fails), below every layer of our code. Without that
// limit the atomic writer's simulated full disk stands in.
class WriteFailure
{
public:
    explicit WriteFailure(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        // The limit also raises SIGXFSZ, which would end the process.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
#else
        AtomicFile::setByteLimitForTesting(bytes);
#endif
    }

    ~WriteFailure()
    {
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
#else
        AtomicFile::setByteLimitForTesting(-1);
#endif
    }

    WriteFailure(const WriteFailure&) = delete;
    WriteFailure& operator=(const WriteFailure&) = delete;

    // The system's description of the failure the user must be shown.
    static QString description()
    {
#ifdef Q_OS_UNIX
        return QString::fromLocal8Bit(std::strerror(EFBIG));
#else
        return QString::fromLocal8Bit(std::strerror(ENOSPC));
#endif
    }

#ifdef Q_OS_UNIX
private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
#endif
};
