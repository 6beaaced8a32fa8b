#include "AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

qint64 byteLimitForTesting = -1;

QString systemDescription(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

void AtomicFile::setByteLimitForTesting(qint64 limit)
{
    byteLimitForTesting = limit;
}

FileResult AtomicFile::write(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        return FileResult::failure(systemDescription(EISDIR));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult::failure(file.errorString());
    const bool limited = byteLimitForTesting >= 0 && byteLimitForTesting < bytes.size();
    const qint64 length = limited ? byteLimitForTesting : bytes.size();
    if (file.write(bytes.constData(), length) != length) {
        const QString error = file.errorString();
        file.cancelWriting();
        return FileResult::failure(error);
    }
    if (limited) {
        file.cancelWriting();
        return FileResult::failure(systemDescription(ENOSPC));
    }
    if (!file.commit())
        return FileResult::failure(file.errorString());
    return FileResult::success();
}
