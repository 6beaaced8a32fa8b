#pragma once

#include "ChannelRow.h"

// What the status bar tells about the site.
struct ChannelStatistics
{
    int inUse = 0;       // channels whose relay name is not a spare
    int back = 0;        // channels on back contacts
    int unencodable = 0; // relay names the channel file would store with "?"

    static ChannelStatistics of(const ChannelRows& rows);
    static bool isSpareName(const QString& name);
};
