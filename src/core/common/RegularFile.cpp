#include "RegularFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace RegularFile {

QString refusal(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QString::fromLocal8Bit(std::strerror(EISDIR));
    return QStringLiteral("Not a regular file");
}

} // namespace RegularFile
