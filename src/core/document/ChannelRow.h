#pragma once

#include <QString>

// One channel of the table; its label follows from its row and is not stored.
struct ChannelRow
{
    QString relNam;
    bool back = false;
    QString stUp;
    QString stDn;

    friend bool operator==(const ChannelRow&, const ChannelRow&) = default;
};
