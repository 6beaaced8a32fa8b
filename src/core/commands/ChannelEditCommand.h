#pragma once

#include "document/ChannelTableModel.h"

#include <QUndoCommand>

// An undoable change of whole rows: a cell edit, a paste or a clear.
class ChannelEditCommand : public QUndoCommand
{
public:
    ChannelEditCommand(ChannelTableModel& table, const QString& text,
                       QList<ChannelTableModel::RowChange> before,
                       QList<ChannelTableModel::RowChange> after);

    void redo() override { table_.applyUserRows(after_); }
    void undo() override { table_.applyUserRows(before_); }

private:
    ChannelTableModel& table_;
    QList<ChannelTableModel::RowChange> before_;
    QList<ChannelTableModel::RowChange> after_;
};
