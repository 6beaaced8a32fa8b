#include "DriveOfPath.h"

namespace ModFunc {

QString DriveOfPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QChar first = path.front().toLower();
    if (first < u'a' || first > u'z')
        return {};
    return QString(first) + u':';
}

} // namespace ModFunc
