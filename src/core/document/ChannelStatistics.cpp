#include "ChannelStatistics.h"

#include "ChannelTableModel.h"

bool ChannelStatistics::isSpareName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1String("spare"), Qt::CaseInsensitive);
}

ChannelStatistics ChannelStatistics::of(const ChannelTableModel& table)
{
    ChannelStatistics statistics;
    for (int row = 0; row < table.channelCount(); ++row) {
        const ChannelRow& channel = table.channel(row);
        statistics.inUse += isSpareName(channel.relNam) ? 0 : 1;
        statistics.back += channel.back ? 1 : 0;
        statistics.unencodable +=
            ChannelTableModel::hasUnencodableCharacters(channel.relNam) ? 1 : 0;
    }
    return statistics;
}
