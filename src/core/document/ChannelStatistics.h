#pragma once

#include "ChannelRow.h"

// What the status bar tells about the site.
struct ChannelStatistics
{
    int inUse = 0;   // channels whose relay name is not a spare
    int back = 0;    // channels on back contacts
    int altered = 0; // names and state texts the channel file would cut or write with "?"

    static ChannelStatistics of(const ChannelRows& rows);
    static bool isSpareName(const QString& name);
    // Whether the channel file would cut the text to `limit` or write "?" in it.
    static bool isAlteredByFile(const QString& text, int limit);
};
