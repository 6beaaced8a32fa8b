#include "SitePaths.h"

#include <QDir>

namespace SitePaths {

namespace {

qsizetype lastSeparator(const QString& path)
{
    const qsizetype native = path.lastIndexOf(QDir::separator());
    return std::max(native, path.lastIndexOf(u'/'));
}

} // namespace

QString StripExtension(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QString DirectoryOf(const QString& path)
{
    return path.left(lastSeparator(path) + 1);
}

QString FileTitleOf(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

} // namespace SitePaths
