#pragma once

#include <QtGlobal>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>

// Makes every file write of this process fail once a file would grow past `bytes`, while the
// object lives. Tests run as root, so permissions cannot make a write fail; the kernel's file
// size limit can (EFBIG, as a full device fails), below every layer of our code.
class WriteFailure
{
public:
    explicit WriteFailure(qint64 bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~WriteFailure()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    WriteFailure(const WriteFailure&) = delete;
    WriteFailure& operator=(const WriteFailure&) = delete;

    static int error() { return EFBIG; } // whose description the user must be shown
    static constexpr const char* kUnavailable = nullptr;

private:
    void (*previousHandler_)(int); // SIGXFSZ would end the process
    rlimit previous_{};
};
#else
// Windows has no such limit, and a full disk cannot be made for a test: the tests that need a
// write to fail part-way are skipped there.
struct WriteFailure
{
    explicit WriteFailure(qint64) {}
    static int error() { return ENOSPC; }
    static constexpr const char* kUnavailable =
        "Windows has no per-process file size limit to make a write fail part-way";
};
#endif
