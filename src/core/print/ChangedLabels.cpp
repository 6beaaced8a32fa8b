#include "ChangedLabels.h"

#include "document/ChannelTableModel.h"

#include <QSet>

#include <algorithm>

QList<LabelRow> ChangedLabelRows(const ChannelRows& rows, const SiteComparison& changes)
{
    const QList<LabelRow> all = LabelRows(rows);
    QSet<int> wanted;
    for (const SiteComparison::Cell& cell : changes.cells) {
        if (cell.column == ChannelTableModel::ColRelNam ||
            cell.column == ChannelTableModel::ColBack)
            wanted.insert(cell.row / kChannelsPerLabel);
    }
    for (const SiteComparison::Extra& extra : changes.extras) {
        for (int row = extra.first; extra.ours && row <= extra.last; row += kChannelsPerLabel)
            wanted.insert(row / kChannelsPerLabel);
    }
    QList<int> order(wanted.begin(), wanted.end());
    std::sort(order.begin(), order.end());
    QList<LabelRow> changed;
    for (const int label : order) {
        if (label < all.size())
            changed.append(all[label]);
    }
    return changed;
}
