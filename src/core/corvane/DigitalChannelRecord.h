#pragma once

#include <QList>
#include <QString>

// One channel allocation of a Corvane DChannel.cfg.
struct DigitalChannelRecord
{
    QString ChannelName;
    QString text2; // not used here; written empty
    QString text3; // not used here; written empty
    bool BackContact = false;
    quint16 lastField = 0; // not used here; written as 0

    friend bool operator==(const DigitalChannelRecord&, const DigitalChannelRecord&) = default;
};

// The allocations of a DChannel.cfg, one-based: index 0 holds an empty record that stands for
// "nothing", so the last index is the number of allocations.
using DigitalChannelList = QList<DigitalChannelRecord>;

inline int LastIndex(const DigitalChannelList& allocations)
{
    return int(allocations.size()) - 1;
}
