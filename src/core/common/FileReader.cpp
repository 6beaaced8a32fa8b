#include "FileReader.h"

#include "RegularFile.h"
#include "SystemError.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Memory is taken as the file's bytes arrive, not for the whole count asked for.
constexpr qint64 kChunk = 1024 * 1024;
constexpr qint64 kBuffer = 64 * 1024;

} // namespace

#ifdef Q_OS_WIN

FileReader::FileReader(const QString& path) : handle_(INVALID_HANDLE_VALUE)
{
    if (const QString refusal = RegularFile::refusal(path); !refusal.isEmpty()) {
        fail(refusal);
        return;
    }
    const QString native = QDir::toNativeSeparators(path);
    handle_ = CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size{};
    if (handle_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle_, &size))
        fail(SystemError::last());
    else if (GetFileType(handle_) != FILE_TYPE_DISK)
        fail(RegularFile::notRegularText());
    size_ = size.QuadPart;
}

FileReader::~FileReader()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

qint64 FileReader::readOnce(char* into, qint64 count)
{
    DWORD got = 0;
    if (!ReadFile(handle_, into, DWORD(std::min<qint64>(count, kChunk)), &got, nullptr)) {
        fail(SystemError::last());
        return -1;
    }
    return got;
}

void FileReader::seek(qint64 count)
{
    LARGE_INTEGER distance{};
    distance.QuadPart = count;
    if (!failed() && !SetFilePointerEx(handle_, distance, nullptr, FILE_CURRENT))
        fail(SystemError::last());
}

// Windows reads past its cache only into aligned buffers; the card check reads through it.
void FileReader::bypassCache() {}

#else

FileReader::FileReader(const QString& path)
{
    if (const QString refusal = RegularFile::refusal(path); !refusal.isEmpty()) {
        fail(refusal);
        return;
    }
    // Without waiting: a FIFO put in the file's place since the check would wait for a writer.
    descriptor_ =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat status
    {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &status) != 0)
        fail(SystemError::last());
    else if (S_ISDIR(status.st_mode))
        fail(SystemError::text(EISDIR));
    else if (!S_ISREG(status.st_mode))
        fail(RegularFile::notRegularText());
    size_ = status.st_size;
}

FileReader::~FileReader()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

qint64 FileReader::readOnce(char* into, qint64 count)
{
    for (;;) {
        const ssize_t got = ::read(descriptor_, into, size_t(std::min<qint64>(count, kChunk)));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            fail(SystemError::last());
            return -1;
        }
    }
}

void FileReader::seek(qint64 count)
{
    if (!failed() && ::lseek(descriptor_, off_t(count), SEEK_CUR) < 0)
        fail(SystemError::last());
}

void FileReader::bypassCache()
{
#ifdef POSIX_FADV_DONTNEED
    if (!failed())
        ::posix_fadvise(descriptor_, 0, 0, POSIX_FADV_DONTNEED);
#endif
}

#endif

void FileReader::fail(const QString& description)
{
    if (error_.isEmpty())
        error_ = description.isEmpty() ? SystemError::text(EIO) : description;
}

QByteArray FileReader::readDirectly(qint64 count)
{
    QByteArray bytes;
    while (!failed() && bytes.size() < count) {
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(std::min(count - at, kChunk)));
        const qint64 got = readOnce(bytes.data() + at, bytes.size() - at);
        bytes.resize(at + std::max<qint64>(got, 0));
        if (got <= 0)
            break;
    }
    return bytes;
}

QByteArray FileReader::takeBuffered(qint64 count)
{
    const qsizetype taken = qsizetype(std::min<qint64>(count, buffer_.size() - bufferAt_));
    const QByteArray bytes = buffer_.mid(bufferAt_, taken);
    bufferAt_ += taken;
    return bytes;
}

// Small reads, as of a Corvane file's fields, come from a buffer: a system call each would
// take a site's import from a millisecond to tens.
QByteArray FileReader::read(qint64 count)
{
    QByteArray bytes = takeBuffered(count);
    if (count - bytes.size() >= kBuffer) {
        bytes += readDirectly(count - bytes.size());
    } else {
        while (bytes.size() < count && !failed()) {
            buffer_ = readDirectly(kBuffer);
            bufferAt_ = 0;
            if (buffer_.isEmpty())
                break;
            bytes += takeBuffered(count - bytes.size());
        }
    }
    return failed() ? QByteArray() : bytes;
}

void FileReader::skip(qint64 count)
{
    const qint64 buffered = buffer_.size() - bufferAt_;
    if (count <= buffered) {
        bufferAt_ += qsizetype(count);
        return;
    }
    buffer_.clear();
    bufferAt_ = 0;
    seek(count - buffered);
}

WholeFile FileReader::readWhole(const QString& path, qint64 bound)
{
    WholeFile whole;
    FileReader reader(path);
    if (!reader.failed() && reader.size() <= bound)
        whole.bytes = reader.read(bound + 1); // one byte more tells a file that grew past it
    whole.tooLarge = !reader.failed() && (reader.size() > bound || whole.bytes.size() > bound);
    if (whole.tooLarge) {
        whole.bytes.clear();
        whole.error = SystemError::text(EFBIG);
    } else {
        whole.error = reader.error();
    }
    return whole;
}
