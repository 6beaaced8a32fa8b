#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// What a whole file held, or why it could not be read.
struct WholeFile
{
    QByteArray bytes;
    QString error;         // the system's description; empty when the file was read
    bool tooLarge = false; // larger than the bound: nothing was read
};

// Reads a regular file, checking every read: a read that fails after some bytes (a bad spot on
// a card fails so) is a failure with the system's reason, never taken for the end of the file.
// A folder, FIFO, device or socket is refused without waiting on it.
class FileReader
{
public:
    explicit FileReader(const QString& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // The system's description of the first failure; empty while everything succeeded.
    const QString& error() const { return error_; }
    bool failed() const { return !error_.isEmpty(); }
    // The file's size when it was opened.
    qint64 size() const { return size_; }

    // Up to `count` bytes from the current place: fewer only where the file ends, none once
    // anything failed.
    QByteArray read(qint64 count);
    // Moves on by `count` bytes without reading them.
    void skip(qint64 count);
    // Asks the system to forget what it keeps of the file in memory, so that what is read next
    // comes from the device itself.
    void bypassCache();

    // The whole file, when it holds at most `bound` bytes.
    static WholeFile readWhole(const QString& path, qint64 bound);

private:
    void fail(const QString& description);
    // One read of at most `count` bytes: the bytes read, 0 at the end, -1 after a failure.
    qint64 readOnce(char* into, qint64 count);
    // Up to `count` bytes from the system, past the buffer.
    QByteArray readDirectly(qint64 count);
    QByteArray takeBuffered(qint64 count);
    // Moves the system's place in the file on by `count` bytes.
    void seek(qint64 count);

#ifdef Q_OS_WIN
    void* handle_;
#else
    int descriptor_ = -1;
#endif
    qint64 size_ = 0;
    QString error_;
    QByteArray buffer_;
    qsizetype bufferAt_ = 0;
};
