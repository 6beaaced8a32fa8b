#pragma once

#include "document/ChannelTableModel.h"

// Names a row's relay as a site read from a file would: not through the history.
inline void putRelayName(ChannelTableModel& table, int row, const QString& name)
{
    ChannelRows rows = table.rows();
    rows[row].relNam = name;
    table.replaceRows(rows);
}
