#include "UndoHistory.h"

#include "ChannelCountCommand.h"
#include "ChannelEditCommand.h"
#include "commands/DocumentCommands.h"

#include <QUndoStack>

UndoHistory::UndoHistory(ChannelTableModel& table, DocumentCommands& commands, QObject* parent)
    : QObject(parent), table_(table), commands_(commands), stack_(new QUndoStack(this))
{
    table_.setUserEditHandler([this](const auto& before, const auto& after) {
        pushEdit(QStringLiteral("Edit"), before, after);
    });
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!syncing_)
            commands_.setModified(!clean);
    });
    connect(&commands_, &DocumentCommands::modifiedChanged, this, &UndoHistory::followModified);
    connect(&commands_, &DocumentCommands::documentReplaced, this, &UndoHistory::startAfresh);
}

void UndoHistory::pushEdit(const QString& text, const QList<ChannelTableModel::RowChange>& before,
                           const QList<ChannelTableModel::RowChange>& after)
{
    if (!after.isEmpty())
        stack_->push(new ChannelEditCommand(table_, text, before, after));
}

void UndoHistory::pushChannelChoice(int oldChoice, int newChoice)
{
    stack_->push(new ChannelCountCommand(table_, oldChoice, newChoice));
}

void UndoHistory::followModified(bool modified)
{
    syncing_ = true;
    if (!modified)
        stack_->setClean();
    else if (stack_->isClean())
        stack_->resetClean();
    syncing_ = false;
}

// Opening, New and Import replace the table: the history no longer applies to it.
void UndoHistory::startAfresh()
{
    syncing_ = true;
    stack_->clear();
    if (commands_.isModified())
        stack_->resetClean();
    syncing_ = false;
}
