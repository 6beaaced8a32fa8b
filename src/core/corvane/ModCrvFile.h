#pragma once

#include "DigitalChannelRecord.h"
#include "SiteInfoRecord.h"
#include "common/Dialogs.h"
#include "common/FileResult.h"

#include <QList>
#include <QString>

#include <optional>

// Reading and writing a Corvane configuration directory's site files. File names are matched
// without regard to letter case, as Windows matches them. The lists are one-based: index 0
// holds an empty record that stands for "nothing".
namespace ModCrvFile {

struct SiteInfoRead
{
    bool found = false; // a missing file is no failure: the directory is no site
    SiteInfoRecord record;
    std::optional<MessageRequest> failure; // "Could not load site info file."
};

// Reads <siteDir>/SiteInfo.cfg; SiteDir becomes siteDir.
SiteInfoRead LoadSiteInfo(const QString& siteDir);

struct SiteScan
{
    QList<SiteInfoRecord> sites{SiteInfoRecord{}};
    QList<MessageRequest> failures; // in the order they happened; the scan went on
};

// The sites found below configDir, in the order their directories were listed.
// Subdirectories without a site name are skipped.
SiteScan RegisterSites(const QString& configDir);

struct AllocationsRead
{
    DigitalChannelList allocations{DigitalChannelRecord{}};
    QString path;                   // the DChannel.cfg read, or looked for
    std::optional<QString> failure; // the system's description when it could not be read
};

// The records of <siteDir>/DChannel.cfg; none when there is no such file or its count is 0 or
// less.
AllocationsRead LoadDigitalChannels(const QString& siteDir);

// Writes allocations 1..last as DChannel.cfg in `directory`, replacing the file of that name
// in whatever letter case it has. The result names the file.
FileResult SaveDigitalChannels(const QString& directory, const DigitalChannelList& allocations);

// "Could not load digital channel allocations file." and "Could not save digital channels
// config file.", with the path and the description.
MessageRequest LoadChannelsFailure(const QString& path, const QString& description);
MessageRequest SaveChannelsFailure(const QString& path, const QString& description);

} // namespace ModCrvFile
