#pragma once

#include "document/ChannelTableModel.h"

#include <QUndoCommand>

// An undoable change of the number of units; undoing a shrink brings the dropped channels back.
class ChannelCountCommand : public QUndoCommand
{
public:
    ChannelCountCommand(ChannelTableModel& table, int channels);

    void redo() override;
    void undo() override;

private:
    ChannelTableModel& table_;
    int oldChannels_;
    int newChannels_;
    QList<ChannelTableModel::RowChange> dropped_;
};
