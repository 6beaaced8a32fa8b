#include "ChannelCountCommand.h"

#include "document/SiteSize.h"
#include "document/UserChannelChoice.h"

ChannelCountCommand::ChannelCountCommand(ChannelTableModel& table, int oldChoice, int newChoice)
    : QUndoCommand(QStringLiteral("Change the number of units")), table_(table),
      oldChoice_(oldChoice), newChoice_(newChoice)
{
    for (int row = SiteSize::choiceChannels(newChoice); row < table.channelCount(); ++row)
        dropped_.append({row, table.channel(row)});
}

void ChannelCountCommand::redo()
{
    ResizeToChoice(table_, newChoice_);
}

void ChannelCountCommand::undo()
{
    ResizeToChoice(table_, oldChoice_);
    if (!dropped_.isEmpty())
        table_.applyUserRows(dropped_);
}
