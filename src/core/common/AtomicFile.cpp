#include "AtomicFile.h"

#include "RegularFile.h"

#include <QSaveFile>

namespace {

// Writes every byte; after a short write it writes the rest again, so that a device that
// stopped part-way says why.
bool writeAll(QSaveFile& file, const char* data, qint64 length)
{
    while (length > 0) {
        const qint64 written = file.write(data, length);
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

} // namespace

FileResult AtomicFile::write(const QString& path, const QByteArray& bytes)
{
    if (const QString refusal = RegularFile::refusal(path); !refusal.isEmpty())
        return FileResult::failure(refusal);
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile takes a write that the device cut short at its last
    // flush for success and commits the cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::failure(file.errorString());
    if (!writeAll(file, bytes.constData(), bytes.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return FileResult::failure(error);
    }
    if (!file.commit())
        return FileResult::failure(file.errorString());
    return FileResult::success();
}
