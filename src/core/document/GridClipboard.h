#pragma once

#include "ChannelTableModel.h"

#include <QString>

#include <optional>

// Cells as spreadsheets exchange them: rows of tab-separated fields.
namespace GridClipboard {

// The cells of rows top..bottom and columns left..right, the contact as "Back"/"Front".
QString CopyCells(const ChannelTableModel& table, int top, int left, int bottom, int right);

struct RowEdit
{
    QList<ChannelTableModel::RowChange> before;
    QList<ChannelTableModel::RowChange> after;
    bool stoppedAtLastRow = false;
    int cutValues = 0;      // texts cut to the 16 or 3 characters the channel file holds
    int unreadContacts = 0; // contact values that were no contact; their cells kept theirs
    int firstUnreadRow = -1;
    int rows = 0; // the block written: rows and columns from the starting cell
    int columns = 0;
};

// What pasting text at (row, column) changes: text holding a tab splits at tabs, other text at
// commas, a quoted field as one cell with its line breaks as spaces; contacts read as
// spreadsheets write them; names cut to 16 and state texts to 3, the label column never
// written, nothing past the last row.
RowEdit PlanPaste(const ChannelTableModel& table, int row, int column, const QString& text);

// What filling down changes: in each column of the cells, the topmost cell's value goes to the
// others below it; the label column is never written, texts are cut to what the file holds.
RowEdit PlanFillDown(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells);

// What clearing the cells changes: names back to their spare names, contacts to front,
// state texts to "UP" and "DN".
RowEdit PlanClear(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells);

} // namespace GridClipboard
