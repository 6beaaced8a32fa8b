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

// What pasting tab- or comma-separated text at (row, column) changes: names cut to 16,
// "B"/"b" for a back contact, the label column never written, nothing past the last row.
RowEdit PlanPaste(const ChannelTableModel& table, int row, int column, const QString& text);

// What clearing the cells changes: names back to their spare names, contacts to front,
// state texts to "UP" and "DN".
RowEdit PlanClear(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells);

} // namespace GridClipboard
