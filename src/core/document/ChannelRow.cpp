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

QString ColumnCaption(int column)
{
    switch (column) {
    case ColChan:
        return QStringLiteral("Chan");
    case ColRelNam:
        return QStringLiteral("Relay name");
    case ColBack:
        return QStringLiteral("Back contact");
    case ColStUp:
        return QStringLiteral("State up");
    case ColStDn:
        return QStringLiteral("State down");
    }
    return {};
}
