#include "ChannelStatistics.h"

#include "common/Windows1252.h"

bool ChannelStatistics::isSpareName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1String("spare"), Qt::CaseInsensitive);
}

bool ChannelStatistics::isAlteredByFile(const QString& text, int limit)
{
    return text.size() > limit || Windows1252::hasUnencodable(text);
}

ChannelStatistics ChannelStatistics::of(const ChannelRows& rows)
{
    ChannelStatistics statistics;
    for (const ChannelRow& row : rows) {
        statistics.inUse += isSpareName(row.relNam) ? 0 : 1;
        statistics.back += row.back ? 1 : 0;
        statistics.altered += int(isAlteredByFile(row.relNam, kRelayNameLimit)) +
                              int(isAlteredByFile(row.stUp, kStateTextLimit)) +
                              int(isAlteredByFile(row.stDn, kStateTextLimit));
    }
    return statistics;
}
