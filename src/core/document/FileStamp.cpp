#include "FileStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray checksumOf(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

} // namespace

FileStamp FileStamp::of(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {path, -1, {}, {}};
    return {path, info.size(), info.lastModified(), checksumOf(path)};
}

bool FileStamp::changed() const
{
    if (!isValid())
        return false;
    const QFileInfo info(path);
    if (!info.isFile())
        return size >= 0;
    if (info.size() != size)
        return true;
    // The bytes decide: a file only touched, or copied back, holds the same ones, and another
    // save within the clock's resolution may keep the time. A file that another program holds
    // locked cannot be read; its time is all there is to go by.
    const QByteArray now = checksumOf(path);
    return now.isEmpty() ? info.lastModified() != modified : now != checksum;
}
