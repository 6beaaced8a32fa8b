#include "RawFileIo.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RawFileIo {

long long Read(const std::string& path, std::vector<char>& buffer)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info
    {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return -1;
    }
    buffer.resize(static_cast<std::size_t>(info.st_size));
    long long total = 0;
    while (total < info.st_size) {
        const ssize_t got = ::read(fd, buffer.data() + total, buffer.size() - total);
        if (got <= 0)
            break;
        total += got;
    }
    ::close(fd);
    return total;
}

bool WriteAndReplace(const std::string& path, const std::vector<char>& bytes)
{
    const std::string temporary = path + ".raw-tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put <= 0)
            break;
        written += static_cast<std::size_t>(put);
    }
    const bool synced = written == bytes.size() && ::fdatasync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        ::unlink(temporary.c_str());
        return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace RawFileIo
