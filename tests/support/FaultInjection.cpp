// Makes one kind of system call fail at a chosen point, for the programs it is preloaded into
// (LD_PRELOAD), as a bad card, a full disk or a crowded process would:
//
//   ZR415_FAULT_CALL   open, read, write, fsync or rename
//   ZR415_FAULT_PATH   a pattern (fnmatch, "*" spans folders) of the paths concerned: the
//                      path opened or renamed, or for read, write and fsync the path its
//                      descriptor was opened with
//   ZR415_FAULT_ERRNO  what the failing calls say: EIO, ENOSPC, EMFILE, EACCES, EROFS, EDQUOT
//   ZR415_FAULT_AFTER  read and write: the bytes that pass first, the call that crosses them
//                      returning the bytes up to them; other calls: the calls that pass first
//   ZR415_FAULT_TIMES  how many calls fail before all pass again (default: all)
#undef _FILE_OFFSET_BITS
#undef _FORTIFY_SOURCE

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <string>
#include <unistd.h>

namespace {

enum class Call { None, Open, Read, Write, Fsync, Rename };

struct Settings
{
    Call call = Call::None;
    std::string pattern = "*";
    int error = EIO;
    long long after = 0;
    long long times = -1;
};

int errorNamed(const char* name)
{
    static const struct
    {
        const char* name;
        int error;
    } known[] = {{"EIO", EIO},       {"ENOSPC", ENOSPC}, {"EMFILE", EMFILE},
                 {"EACCES", EACCES}, {"EROFS", EROFS},   {"EDQUOT", EDQUOT}};
    for (const auto& entry : known) {
        if (std::strcmp(entry.name, name) == 0)
            return entry.error;
    }
    return std::atoi(name);
}

const Settings& settings()
{
    static const Settings read = [] {
        Settings s;
        const auto text = [](const char* name) {
            const char* value = std::getenv(name);
            return value ? value : "";
        };
        const std::string call = text("ZR415_FAULT_CALL");
        const char* names[] = {"", "open", "read", "write", "fsync", "rename"};
        for (int i = 1; i < 6; ++i) {
            if (call == names[i])
                s.call = Call(i);
        }
        if (*text("ZR415_FAULT_PATH"))
            s.pattern = text("ZR415_FAULT_PATH");
        if (*text("ZR415_FAULT_ERRNO"))
            s.error = errorNamed(text("ZR415_FAULT_ERRNO"));
        s.after = std::atoll(text("ZR415_FAULT_AFTER"));
        if (*text("ZR415_FAULT_TIMES"))
            s.times = std::atoll(text("ZR415_FAULT_TIMES"));
        return s;
    }();
    return read;
}

// Descriptors opened on a path of the pattern.
constexpr int kDescriptors = 65536;
std::atomic<bool> watched[kDescriptors];
std::atomic<long long> passed{0}; // bytes or calls so far
std::atomic<long long> failures{0};

bool concerns(Call call, const char* path)
{
    return settings().call == call && path && fnmatch(settings().pattern.c_str(), path, 0) == 0;
}

bool concerns(Call call, int descriptor)
{
    return settings().call == call && descriptor >= 0 && descriptor < kDescriptors &&
           watched[descriptor];
}

// Whether this call fails; sets errno when it does.
bool fails()
{
    const long long times = settings().times;
    if (times >= 0 && failures >= times)
        return false;
    ++failures;
    errno = settings().error;
    return true;
}

bool callFails()
{
    return passed++ >= settings().after && fails();
}

// How much of `count` bytes may pass; -1 when the call fails.
long long bytesAllowed(size_t count)
{
    const long long left = settings().after - passed;
    if (left > 0)
        return left < (long long)count ? left : (long long)count;
    return fails() ? -1 : (long long)count;
}

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

int watch(int descriptor, const char* path)
{
    if (descriptor >= 0 && descriptor < kDescriptors)
        watched[descriptor] = path && fnmatch(settings().pattern.c_str(), path, 0) == 0;
    return descriptor;
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(arguments, int))
                                                                 : 0;
}

using Open = int (*)(const char*, int, ...);

int openPath(const char* name, const char* path, int flags, mode_t mode)
{
    if (concerns(Call::Open, path) && callFails())
        return -1;
    return watch(next<Open>(name)(path, flags, mode), path);
}

using ReadWrite = ssize_t (*)(int, void*, size_t);

ssize_t transfer(Call call, const char* name, int descriptor, void* buffer, size_t count)
{
    if (!concerns(call, descriptor))
        return next<ReadWrite>(name)(descriptor, buffer, count);
    const long long allowed = bytesAllowed(count);
    if (allowed < 0)
        return -1;
    const ssize_t done = next<ReadWrite>(name)(descriptor, buffer, size_t(allowed));
    if (done > 0)
        passed += done;
    return done;
}

} // namespace

// What the programs tested call; calls inside the C library itself pass by.
extern "C" {

int open(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    return openPath("open", path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    return openPath("open64", path, flags, mode);
}

int close(int descriptor)
{
    if (descriptor >= 0 && descriptor < kDescriptors)
        watched[descriptor] = false;
    return next<int (*)(int)>("close")(descriptor);
}

ssize_t read(int descriptor, void* buffer, size_t count)
{
    return transfer(Call::Read, "read", descriptor, buffer, count);
}

ssize_t write(int descriptor, const void* buffer, size_t count)
{
    return transfer(Call::Write, "write", descriptor, const_cast<void*>(buffer), count);
}

int fsync(int descriptor)
{
    if (concerns(Call::Fsync, descriptor) && callFails())
        return -1;
    return next<int (*)(int)>("fsync")(descriptor);
}

int rename(const char* from, const char* to)
{
    if ((concerns(Call::Rename, from) || concerns(Call::Rename, to)) && callFails())
        return -1;
    return next<int (*)(const char*, const char*)>("rename")(from, to);
}

} // extern "C"
