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

SiteFileType FileTypeOf(const QString& path)
{
    if (path.size() <= 4)
        return SiteFileType::Unknown;
    const QString ending = path.right(3).toLower();
    if (ending == QLatin1String("dip"))
        return SiteFileType::Dip;
    if (ending == QLatin1String("csv"))
        return SiteFileType::Csv;
    if (ending == QLatin1String("cfg"))
        return SiteFileType::Cfg;
    return SiteFileType::Unknown;
}

} // namespace SitePaths
