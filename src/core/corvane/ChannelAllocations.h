#pragma once

#include "DigitalChannelRecord.h"
#include "common/FileResult.h"
#include "document/SiteRead.h"

#include <QString>

// The rows that allocations 1..n (n >= 1) make: a site of the size that holds them, spares
// named, longer names cut to 16 with one notice each, ending with "N channels imported".
SiteRead FillFromAllocations(const DigitalChannelList& allocations);

// Reads a Corvane site's DChannel.cfg as Import does. Empty when the site has no allocations;
// Failed, with the system's description, when the file cannot be read.
SiteRead ImportCorvaneSite(const QString& siteDir);

// Writes the rows' relay names (cut to 16) and contacts as DChannel.cfg into the directory.
FileResult SaveCorvaneChannelFile(const ChannelRows& rows, const QString& directory);
