#include "ChannelSearch.h"

#include "ChannelTableModel.h"

int FindChannel(const ChannelTableModel& table, const QString& text, int fromRow)
{
    const int count = table.channelCount();
    if (text.isEmpty() || count == 0)
        return -1;
    for (int step = 1; step <= count; ++step) {
        const int row = ((fromRow + step) % count + count) % count;
        if (table.channel(row).relNam.contains(text, Qt::CaseInsensitive) ||
            table.label(row).contains(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}
