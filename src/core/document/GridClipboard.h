#pragma once

#include "ChannelTableModel.h"

#include <QString>

// Cells as spreadsheets exchange them: rows of tab-separated fields.
namespace GridClipboard {

// The cells of rows top..bottom and columns left..right, the contact as "Back"/"Front".
QString CopyCells(const ChannelTableModel& table, int top, int left, int bottom, int right);

struct RowEdit
{
    QList<ChannelTableModel::RowChange> before;
    QList<ChannelTableModel::RowChange> after;
    bool stoppedAtLastRow = false;
};

// What pasting text at (row, column) changes: text holding a tab splits at tabs only, other
// text as CSV lines with quoted fields; names cut to 16, "B"/"b" for a back contact, the label
// column never written, nothing past the last row.
RowEdit PlanPaste(const ChannelTableModel& table, int row, int column, const QString& text);

// What filling down changes: in each column of the cells, the topmost cell's value goes to the
// others below it; the label column is never written, names are cut to 16.
RowEdit PlanFillDown(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells);

// What clearing the cells changes: names back to their spare names, contacts to front,
// state texts to "UP" and "DN".
RowEdit PlanClear(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells);

} // namespace GridClipboard
