#include "ComparisonMarks.h"

#include "checks/SiteComparison.h"
#include "document/ChannelTableModel.h"

ComparisonMarks::ComparisonMarks(ChannelTableModel& table) : table_(&table)
{
    table.setCellMarks(
        [this](int row, int column, int role) { return cellData(row, column, role); });
}

ComparisonMarks::~ComparisonMarks()
{
    if (table_)
        table_->setCellMarks({});
}

void ComparisonMarks::set(const ChannelRows& other, bool states)
{
    active_ = true;
    other_ = other;
    states_ = states;
    table_->marksChanged({OtherValueRole, Qt::ToolTipRole});
}

void ComparisonMarks::clear()
{
    if (!active_)
        return;
    active_ = false;
    other_.clear();
    table_->marksChanged({OtherValueRole, Qt::ToolTipRole});
}

QVariant ComparisonMarks::cellData(int row, int column, int role) const
{
    if (role != OtherValueRole && role != Qt::ToolTipRole)
        return {};
    const QVariant other = otherValue(row, column);
    if (role == OtherValueRole || !other.isValid())
        return other;
    return QStringLiteral("The other site: %1").arg(other.toString());
}

// A cell of a row the other site lacks differs too: it is "(none)" there.
QVariant ComparisonMarks::otherValue(int row, int column) const
{
    if (!active_ || column == ColChan || (!states_ && column > ColBack))
        return {};
    if (row >= other_.size())
        return QStringLiteral("(none)");
    const ChannelRow& theirs = other_[row];
    return SameCell(table_->channel(row), theirs, column) ? QVariant()
                                                          : QVariant(CellText(theirs, column));
}
