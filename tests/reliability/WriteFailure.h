#pragma once

#include "common/AtomicFile.h"

#include <QString>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// Makes every file write of this process fail once a file would grow past `bytes`, for the
// lifetime of the object. Tests run as root, so permissions cannot make a write fail; the
// kernel's file size limit can (the write fails with EFBIG, as a full device fails), and it
// fails inside the operating system, below every layer of our code. Without that limit the
// atomic writer's own simulated full disk stands in.
class WriteFailure
{
public:
    enum class Kind { KernelLimit, SimulatedFullDisk };

    static bool kernelLimitAvailable()
    {
#ifdef Q_OS_UNIX
        return true;
#else
        return false;
#endif
    }

    WriteFailure(Kind kind, qint64 bytes) : kind_(kind)
    {
        if (kind_ == Kind::SimulatedFullDisk) {
            AtomicFile::setByteLimitForTesting(bytes);
            return;
        }
#ifdef Q_OS_UNIX
        // The limit also raises SIGXFSZ, which would end the process.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
#endif
    }

    ~WriteFailure()
    {
        if (kind_ == Kind::SimulatedFullDisk) {
            AtomicFile::setByteLimitForTesting(-1);
            return;
        }
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
#endif
    }

    WriteFailure(const WriteFailure&) = delete;
    WriteFailure& operator=(const WriteFailure&) = delete;

    // The system's description of the failure the user must be shown.
    QString description() const
    {
        return QString::fromLocal8Bit(std::strerror(kind_ == Kind::KernelLimit ? EFBIG : ENOSPC));
    }

private:
    Kind kind_;
#ifdef Q_OS_UNIX
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
#endif
};
