#pragma once

#include "document/ChannelRow.h"

#include <QPointer>
#include <QVariant>

class ChannelTableModel;

// The marks a comparison lays over the table's cells: the other site's text of a cell that
// differs, and a tooltip line saying it. Rows the other site lacks differ in every cell.
class ComparisonMarks
{
public:
    // The other site's text of a differing cell; none for a cell that is the same.
    static constexpr int OtherValueRole = Qt::UserRole + 2;

    explicit ComparisonMarks(ChannelTableModel& table);
    ~ComparisonMarks();
    ComparisonMarks(const ComparisonMarks&) = delete;
    ComparisonMarks& operator=(const ComparisonMarks&) = delete;

    // Marks the cells that differ from `other`; state texts only when `states`.
    void set(const ChannelRows& other, bool states);
    void clear();
    bool active() const { return active_; }
    const ChannelRows& otherRows() const { return other_; }
    bool statesCompared() const { return states_; }

private:
    QVariant cellData(int row, int column, int role) const;
    QVariant otherValue(int row, int column) const;

    QPointer<ChannelTableModel> table_; // may go first when both are a window's children
    bool active_ = false;
    ChannelRows other_;
    bool states_ = false;
};
