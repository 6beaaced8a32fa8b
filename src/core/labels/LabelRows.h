#pragma once

#include "document/ChannelRow.h"

#include <QList>
#include <QString>

// One channel as a relay label shows it.
struct LabelChannel
{
    QString chNo;   // the channel's label, AA01 ... HH48
    QString relNam; // the relay name as the table holds it, spare names included
    bool back = false;

    // "B" for a back contact; empty for a front contact, which the labels leave unmarked.
    QString contactMark() const;
};

// Four consecutive channels: what one row of the labels database and one printed label hold.
using LabelRow = QList<LabelChannel>;
constexpr int kChannelsPerLabel = 4;

// Channels 4j + 1 to 4j + 4 in row j, every channel of the site, spares included. A last row
// of fewer than four channels holds what is left.
QList<LabelRow> LabelRows(const ChannelRows& rows);
