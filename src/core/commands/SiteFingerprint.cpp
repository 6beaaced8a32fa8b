#include "SiteFingerprint.h"

#include "SiteFormats.h"
#include "checks/Fingerprint.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFileInfo>

namespace SiteFingerprint {

bool isOfFileBytes(const QString& path)
{
    return SiteFormats::forInput(path) == &SiteFormats::dip();
}

QString full(const QString& path, const ChannelRows& rows, QString& error)
{
    if (isOfFileBytes(path))
        return Fingerprint::fullOfFile(path, error);
    return Fingerprint::fullOfBytes(EncodeDipFile(rows));
}

QString shown(const QString& path, const ChannelRows& rows)
{
    QString error;
    const QString sha = full(path, rows, error);
    return sha.isEmpty() ? QStringLiteral("(not read: %1)").arg(error)
                         : Fingerprint::shortened(sha);
}

AlteredSite describe(const QString& path, const ChannelRows& rows, const QString& siteName)
{
    AlteredSite site;
    site.siteName = siteName;
    site.file = QDir::toNativeSeparators(path);
    site.modified = QFileInfo(path).lastModified();
    site.fingerprint = shown(path, rows);
    return site;
}

} // namespace SiteFingerprint
