#include "ChannelCountCommand.h"

ChannelCountCommand::ChannelCountCommand(ChannelTableModel& table, int channels)
    : QUndoCommand(QStringLiteral("Change the number of units")), table_(table),
      oldChannels_(table.channelCount()), newChannels_(channels)
{
    for (int row = channels; row < table.channelCount(); ++row)
        dropped_.append({row, table.channel(row)});
}

void ChannelCountCommand::redo()
{
    table_.resizeTo(newChannels_);
}

void ChannelCountCommand::undo()
{
    table_.resizeTo(oldChannels_);
    if (!dropped_.isEmpty())
        table_.applyUserRows(dropped_);
}
