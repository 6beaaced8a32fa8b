#pragma once

#include "document/ChannelRow.h"

#include <QList>
#include <QString>

// What a second engineer looks for in a site before it goes out.
struct SiteProblem
{
    int row = 0;    // channel row + 1 is the channel
    int column = 0; // a ChannelTableModel column
    QString text;   // what is wrong, as the user reads it
};

// Every problem of the site, channel by channel, in column order: the same relay name on the
// same contact on more than one channel (spares aside); a name or state text the channel file
// would cut or write with "?"; an empty name or state text; a name holding a line break; a name
// that a spreadsheet would run as a formula; a spare channel whose state texts are not UP and
// DN.
QList<SiteProblem> CheckSite(const ChannelRows& rows);

// The problem as one line: label, column caption and text, split by tabs.
QString ProblemLine(const SiteProblem& problem);

// The one notice for the names longer than the 16 characters a file holds, which the writers
// cut; empty when there are none.
QString NamesCutNotice(const ChannelRows& rows);
