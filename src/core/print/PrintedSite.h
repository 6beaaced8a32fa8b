#pragma once

#include "document/ChannelRow.h"

#include <QDate>
#include <QString>

// What a printed site record shows beside the channels.
struct PrintedSite
{
    ChannelRows rows;
    QString siteName;
    QString fileName; // the channel file's name; empty for a site never saved
    QDate date;       // the day it is printed
};
