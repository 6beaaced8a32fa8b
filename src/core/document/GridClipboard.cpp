#include "GridClipboard.h"

#include "CsvFile.h"

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

void writeCell(ChannelRow& row, int column, const QString& text)
{
    switch (column) {
    case ChannelTableModel::ColRelNam:
        row.relNam = text.left(kRelayNameLimit);
        break;
    case ChannelTableModel::ColBack:
        row.back = text.startsWith(u'B', Qt::CaseInsensitive);
        break;
    case ChannelTableModel::ColStUp:
        row.stUp = text;
        break;
    case ChannelTableModel::ColStDn:
        row.stDn = text;
        break;
    }
}

// A spreadsheet's copy separates its cells by tabs and may hold commas and quotes in them;
// text without a tab is read as a CSV line, so quoted fields may hold commas.
QStringList pastedFields(const QString& line, bool tabSeparated)
{
    if (tabSeparated)
        return line.split(u'\t');
    return SplitCsvLine(line).mid(1);
}

QStringList pastedLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

RowEdit editOf(const ChannelTableModel& table, const QMap<int, ChannelRow>& changed)
{
    RowEdit edit;
    for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
        if (it.value() == table.channel(it.key()))
            continue;
        edit.before.append({it.key(), table.channel(it.key())});
        edit.after.append({it.key(), it.value()});
    }
    return edit;
}

// One cell of a row taken from another row; the Chan column is never written.
void copyCell(const ChannelRow& source, int column, ChannelRow& target)
{
    switch (column) {
    case ChannelTableModel::ColRelNam:
        target.relNam = source.relNam.left(kRelayNameLimit);
        break;
    case ChannelTableModel::ColBack:
        target.back = source.back;
        break;
    case ChannelTableModel::ColStUp:
        target.stUp = source.stUp;
        break;
    case ChannelTableModel::ColStDn:
        target.stDn = source.stDn;
        break;
    }
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
    const QStringList lines = pastedLines(text);
    const bool tabSeparated = text.contains(u'\t');
    QMap<int, ChannelRow> changed;
    bool stopped = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int target = row + int(i);
        if (target >= table.channelCount()) {
            stopped = true;
            break;
        }
        ChannelRow value = table.channel(target);
        const QStringList fields = pastedFields(lines[i], tabSeparated);
        for (qsizetype j = 0; j < fields.size(); ++j) {
            const int targetColumn = column + int(j);
            if (targetColumn >= ChannelTableModel::ColumnCount)
                break;
            writeCell(value, targetColumn, fields[j]);
        }
        changed.insert(target, value);
    }
    RowEdit edit = editOf(table, changed);
    edit.stoppedAtLastRow = stopped;
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
    for (const auto& [row, column] : cells) {
        const auto top = topOfColumn.constFind(column);
        if (top == topOfColumn.cend() || row == top.value() || !table.hasRow(row))
            continue;
        auto it = changed.find(row);
        if (it == changed.end())
            it = changed.insert(row, table.channel(row));
        copyCell(table.channel(top.value()), column, *it);
    }
    return editOf(table, changed);
}

RowEdit PlanClear(const ChannelTableModel& table, const QList<std::pair<int, int>>& cells)
{
    QMap<int, ChannelRow> changed;
    for (const auto& [row, column] : cells) {
        if (!table.hasRow(row))
            continue;
        auto it = changed.find(row);
        if (it == changed.end())
            it = changed.insert(row, table.channel(row));
        copyCell(DefaultRow(row + 1), column, *it);
    }
    return editOf(table, changed);
}

} // namespace GridClipboard
