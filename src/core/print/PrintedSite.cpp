#include "PrintedSite.h"

#include "checks/Fingerprint.h"

PrintedSite PrintedSite::of(ChannelRows rows, const QString& siteName, const QString& fileName,
                            const QString& issue)
{
    const QString fingerprint = Fingerprint::ofSite(rows);
    return {std::move(rows), siteName,       fileName, QDateTime::currentDateTime(),
            fingerprint,     issue.trimmed()};
}

QString PrintingProgram()
{
    return QStringLiteral("ZR415Config " ZR415_VERSION);
}
