#pragma once

#include "DigitalChannelList.h"
#include "SiteInfoRecord.h"

#include <QList>
#include <QString>

// Reading and writing a Corvane configuration directory's site files. The lists are
// one-based: index 0 holds an empty record that stands for "nothing".
namespace ModCrvFile {

// Reads <siteDir>/SiteInfo.cfg into the record and sets SiteDir to siteDir. A missing file
// leaves the record as it was, without a message; a failure is reported.
void LoadSiteInfo(const QString& siteDir, SiteInfoRecord& record);

// Replaces the list with the empty record and the sites found below configDir, in the order
// their directories were listed. Subdirectories without a site name are skipped.
void RegisterSites(const QString& configDir, QList<SiteInfoRecord>& sites);

// Replaces the list with the empty record and the records of <siteDir>/DChannel.cfg; only
// the empty record when there is no such file or its count is 0 or less.
void LoadDigitalChannels(const QString& siteDir, DigitalChannelList& allocations);

// Writes allocations 1..last as <directory>/DChannel.cfg, replacing any file there. Reports
// its own failure and answers whether the file was written.
bool SaveDigitalChannels(const QString& directory, const DigitalChannelList& allocations);

} // namespace ModCrvFile
