#include "ChannelRow.h"

#include "common/ChannelLabel.h"

QString SpareName(int channel)
{
    return QStringLiteral("Spare ") + ModFunc::ChannelLabel(channel);
}

ChannelRow DefaultRow(int channel)
{
    return {SpareName(channel), false, QStringLiteral("UP"), QStringLiteral("DN")};
}

ChannelRows DefaultRows(int count)
{
    ChannelRows rows;
    AppendDefaultRows(rows, count);
    return rows;
}

void AppendDefaultRows(ChannelRows& rows, int count)
{
    rows.reserve(count);
    for (int channel = int(rows.size()) + 1; channel <= count; ++channel)
        rows.append(DefaultRow(channel));
}
