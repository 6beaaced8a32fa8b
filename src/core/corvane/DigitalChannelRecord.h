#pragma once

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
