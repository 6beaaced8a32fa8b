#pragma once

#include "document/ChannelTableModel.h"

#include <QObject>

class DocumentCommands;
class QUndoStack;

// The undo history of the user's changes. The site counts as modified exactly when the history
// is away from its clean state, so undoing back to the saved state makes it unmodified again.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    UndoHistory(ChannelTableModel& table, DocumentCommands& commands, QObject* parent = nullptr);

    QUndoStack* stack() const { return stack_; }

    void pushEdit(const QString& text, const QList<ChannelTableModel::RowChange>& before,
                  const QList<ChannelTableModel::RowChange>& after);
    void pushChannelChoice(int oldChoice, int newChoice);

private:
    void followModified(bool modified);
    void startAfresh();

    ChannelTableModel& table_;
    DocumentCommands& commands_;
    QUndoStack* stack_;
    bool syncing_ = false;
};
