#pragma once

#include <QList>
#include <QString>

// The longest relay name and state text the channel file holds.
constexpr int kRelayNameLimit = 16;
constexpr int kStateTextLimit = 3;

// The table's columns in their order; the label column is read-only.
enum ChannelColumn : int { ColChan, ColRelNam, ColBack, ColStUp, ColStDn, ColumnCount };

// "Chan", "Relay name", "Back contact", "State up", "State down".
QString ColumnCaption(int column);

// One channel of the table; its label follows from its row and is not stored.
struct ChannelRow
{
    QString relNam;
    bool back = false;
    QString stUp;
    QString stDn;

    friend bool operator==(const ChannelRow&, const ChannelRow&) = default;
};

// A site's channels in order: row r holds channel r + 1.
using ChannelRows = QList<ChannelRow>;

// "Spare " followed by the channel's label: the name of every spare channel.
QString SpareName(int channel);
// The default row of a channel: its spare name, front contact, "UP" and "DN".
ChannelRow DefaultRow(int channel);
// Default rows for channels 1..count.
ChannelRows DefaultRows(int count);
// Grows rows to count with the default rows of the added channels; kept rows keep their values.
void AppendDefaultRows(ChannelRows& rows, int count);
