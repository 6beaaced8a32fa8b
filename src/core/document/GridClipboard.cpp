#include "GridClipboard.h"

#include "ContactWords.h"
#include "PastedCells.h"

#include <QMap>
#include <QStringList>

namespace GridClipboard {

namespace {

QString cellText(const ChannelTableModel& table, int row, int column)
{
    if (column == ChannelTableModel::ColBack)
        return table.channel(row).back ? QStringLiteral("Back") : QStringLiteral("Front");
    return table.data(table.index(row, column)).toString();
}

int limitOf(int column)
{
    return column == ChannelTableModel::ColRelNam ? kRelayNameLimit : kStateTextLimit;
}

// The text of a cell, for a row or a row read only; nullptr for the label and the contact.
template <typename Row>
auto textCell(Row& row, int column) -> decltype(&row.relNam)
{
    switch (column) {
    case ChannelTableModel::ColRelNam:
        return &row.relNam;
    case ChannelTableModel::ColStUp:
        return &row.stUp;
    case ChannelTableModel::ColStDn:
        return &row.stDn;
    }
    return nullptr;
}

// Writes a text into its cell, cut to what the channel file holds; counts a cut.
void putText(ChannelRow& row, int column, const QString& text, RowEdit& edit)
{
    QString* cell = textCell(row, column);
    if (!cell)
        return;
    *cell = text.left(limitOf(column));
    if (text.size() > cell->size())
        ++edit.cutValues;
}

void pasteCell(ChannelRow& row, int rowIndex, int column, const QString& text, RowEdit& edit)
{
    if (column != ChannelTableModel::ColBack) {
        putText(row, column, text, edit);
        return;
    }
    if (const std::optional<bool> back = ContactFromText(text)) {
        row.back = *back;
        return;
    }
    if (edit.unreadContacts++ == 0)
        edit.firstUnreadRow = rowIndex;
}

void collectChanges(const ChannelTableModel& table, const QMap<int, ChannelRow>& changed,
                    RowEdit& edit)
{
    for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
        if (it.value() == table.channel(it.key()))
            continue;
        edit.before.append({it.key(), table.channel(it.key())});
        edit.after.append({it.key(), it.value()});
    }
}

// One cell of a row taken from another row; the Chan column is never written.
void copyCell(const ChannelRow& source, int column, ChannelRow& target, RowEdit& edit)
{
    if (column == ChannelTableModel::ColBack)
        target.back = source.back;
    else if (const QString* text = textCell(source, column))
        putText(target, column, *text, edit);
}

// The rows of the cells, each as it is now, to be changed cell by cell.
QMap<int, ChannelRow>::iterator rowToChange(QMap<int, ChannelRow>& changed,
                                            const ChannelTableModel& table, int row)
{
    auto it = changed.find(row);
    return it != changed.end() ? it : changed.insert(row, table.channel(row));
}

} // namespace

QString CopyCells(const ChannelTableModel& table, int top, int left, int bottom, int right)
{
    QString text;
    for (int row = top; row <= bottom; ++row) {
        QStringList fields;
        for (int column = left; column <= right; ++column)
            fields.append(cellText(table, row, column));
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

RowEdit PlanPaste(const ChannelTableModel& table, int row, int column, const QString& text)
{
    const QList<QStringList> lines = PastedCells(text);
    QMap<int, ChannelRow> changed;
    RowEdit edit;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int target = row + int(i);
        if (target >= table.channelCount()) {
            edit.stoppedAtLastRow = true;
            break;
        }
        ChannelRow value = table.channel(target);
        const QStringList& fields = lines[i];
        const int columns = std::min(int(fields.size()), ChannelTableModel::ColumnCount - column);
        for (int j = 0; j < columns; ++j)
            pasteCell(value, target, column + j, fields[j], edit);
        edit.rows = int(i) + 1;
        edit.columns = std::max(edit.columns, columns);
        changed.insert(target, value);
    }
    collectChanges(table, changed, edit);
    return edit;
}

RowEdit PlanFillDown(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells)
{
    QMap<int, int> topOfColumn;
    for (const auto& [row, column] : cells) {
        if (!table.hasRow(row) || column == ChannelTableModel::ColChan)
            continue;
        auto it = topOfColumn.find(column);
        if (it == topOfColumn.end() || row < it.value())
            topOfColumn.insert(column, row);
    }
    QMap<int, ChannelRow> changed;
    RowEdit edit;
    for (const auto& [row, column] : cells) {
        const auto top = topOfColumn.constFind(column);
        if (top == topOfColumn.cend() || row == top.value() || !table.hasRow(row))
            continue;
        copyCell(table.channel(top.value()), column, *rowToChange(changed, table, row), edit);
    }
    collectChanges(table, changed, edit);
    return edit;
}

RowEdit PlanClear(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells)
{
    QMap<int, ChannelRow> changed;
    RowEdit edit;
    for (const auto& [row, column] : cells) {
        if (table.hasRow(row))
            copyCell(DefaultRow(row + 1), column, *rowToChange(changed, table, row), edit);
    }
    collectChanges(table, changed, edit);
    return edit;
}

} // namespace GridClipboard
