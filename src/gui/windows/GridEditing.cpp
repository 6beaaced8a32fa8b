#include "GridEditing.h"

#include "ChannelGridView.h"
#include "commands/DocumentCommands.h"
#include "document/GridClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>

GridEditing::GridEditing(ChannelGridView& grid, ChannelTableModel& table,
                         DocumentCommands& commands, QObject* parent)
    : QObject(parent), grid_(grid), table_(table), commands_(commands)
{}

GridEditing::CellRange GridEditing::selectedRange() const
{
    QModelIndexList indexes = grid_.selectionModel()->selectedIndexes();
    if (indexes.isEmpty() && grid_.currentIndex().isValid())
        indexes.append(grid_.currentIndex());
    CellRange range;
    for (const QModelIndex& index : indexes) {
        if (range.top < 0) {
            range = {index.row(), index.column(), index.row(), index.column()};
            continue;
        }
        range.top = std::min(range.top, index.row());
        range.bottom = std::max(range.bottom, index.row());
        range.left = std::min(range.left, index.column());
        range.right = std::max(range.right, index.column());
    }
    return range;
}

QList<std::pair<int, int>> GridEditing::selectedCells() const
{
    QList<std::pair<int, int>> cells;
    QModelIndexList indexes = grid_.selectionModel()->selectedIndexes();
    if (indexes.isEmpty() && grid_.currentIndex().isValid())
        indexes.append(grid_.currentIndex());
    for (const QModelIndex& index : indexes)
        cells.append({index.row(), index.column()});
    return cells;
}

void GridEditing::copy()
{
    grid_.finishEdit();
    const CellRange range = selectedRange();
    if (range.top < 0)
        return;
    QGuiApplication::clipboard()->setText(
        GridClipboard::CopyCells(table_, range.top, range.left, range.bottom, range.right));
}

void GridEditing::cut()
{
    copy();
    deleteCells();
}

void GridEditing::paste()
{
    grid_.finishEdit();
    const QModelIndex current = grid_.currentIndex();
    const QString text = QGuiApplication::clipboard()->text();
    if (!current.isValid() || text.isEmpty())
        return;
    const GridClipboard::RowEdit edit =
        GridClipboard::PlanPaste(table_, current.row(), current.column(), text);
    commands_.changeRows(QStringLiteral("Paste"), edit.before, edit.after);
    if (edit.rows > 0 && edit.columns > 0) {
        const QModelIndex last =
            table_.index(current.row() + edit.rows - 1, current.column() + edit.columns - 1);
        grid_.selectionModel()->select(QItemSelection(current, last),
                                       QItemSelectionModel::ClearAndSelect);
    }
    emit statusNote(noteOf(edit));
}

void GridEditing::deleteCells()
{
    grid_.finishEdit();
    const GridClipboard::RowEdit edit = GridClipboard::PlanClear(table_, selectedCells());
    commands_.changeRows(QStringLiteral("Delete"), edit.before, edit.after);
}

void GridEditing::fillDown()
{
    grid_.finishEdit();
    const GridClipboard::RowEdit edit = GridClipboard::PlanFillDown(table_, selectedCells());
    commands_.changeRows(QStringLiteral("Fill Down"), edit.before, edit.after);
    emit statusNote(noteOf(edit));
}

// What a paste or a fill did not take as it was; empty when it took everything.
QString GridEditing::noteOf(const GridClipboard::RowEdit& edit) const
{
    QStringList notes;
    if (edit.stoppedAtLastRow)
        notes << QStringLiteral("Paste stopped at the last channel.");
    if (edit.cutValues == 1)
        notes << QStringLiteral("1 text was cut to the 16 or 3 characters the channel file holds.");
    else if (edit.cutValues > 1)
        notes << QStringLiteral("%1 texts were cut to the 16 or 3 characters the channel file "
                                "holds.")
                     .arg(edit.cutValues);
    const QString first = table_.label(edit.firstUnreadRow);
    if (edit.unreadContacts == 1)
        notes << QStringLiteral("The contact value for %1 was not Back or Front; that cell was "
                                "left as it was.")
                     .arg(first);
    else if (edit.unreadContacts > 1)
        notes << QStringLiteral("%1 contact values were not Back or Front, the first for %2; "
                                "those cells were left as they were.")
                     .arg(edit.unreadContacts)
                     .arg(first);
    return notes.join(u' ');
}
