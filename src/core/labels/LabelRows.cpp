#include "LabelRows.h"

#include "common/ChannelLabel.h"

#include <algorithm>

QString LabelChannel::contactMark() const
{
    return back ? QStringLiteral("B") : QString();
}

QList<LabelRow> LabelRows(const ChannelRows& rows)
{
    QList<LabelRow> labelRows;
    const int count = int(rows.size());
    labelRows.reserve((count + kChannelsPerLabel - 1) / kChannelsPerLabel);
    for (int first = 0; first < count; first += kChannelsPerLabel) {
        LabelRow row;
        for (int channel = first; channel < std::min(first + kChannelsPerLabel, count); ++channel)
            row.append(
                {ModFunc::ChannelLabel(channel + 1), rows[channel].relNam, rows[channel].back});
        labelRows.append(row);
    }
    return labelRows;
}
