#pragma once

#include "document/ChannelTableModel.h"

// Puts rows into a table as a site read from a file would come: not through the history.
inline void putRow(ChannelTableModel& table, int row, const ChannelRow& value)
{
    ChannelRows rows = table.rows();
    rows[row] = value;
    table.replaceRows(rows);
}

inline void putRelayName(ChannelTableModel& table, int row, const QString& name)
{
    ChannelRow value = table.channel(row);
    value.relNam = name;
    putRow(table, row, value);
}
