#include "ChannelStatistics.h"

#include "common/Windows1252.h"

bool ChannelStatistics::isSpareName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1String("spare"), Qt::CaseInsensitive);
}

ChannelStatistics ChannelStatistics::of(const ChannelRows& rows)
{
    ChannelStatistics statistics;
    for (const ChannelRow& row : rows) {
        statistics.inUse += isSpareName(row.relNam) ? 0 : 1;
        statistics.back += row.back ? 1 : 0;
        statistics.unencodable += Windows1252::hasUnencodable(row.relNam) ? 1 : 0;
    }
    return statistics;
}
