#include "ChannelEditCommand.h"

ChannelEditCommand::ChannelEditCommand(ChannelTableModel& table, const QString& text,
                                       QList<ChannelTableModel::RowChange> before,
                                       QList<ChannelTableModel::RowChange> after)
    : QUndoCommand(text), table_(table), before_(std::move(before)), after_(std::move(after))
{}
