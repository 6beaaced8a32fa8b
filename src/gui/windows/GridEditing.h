#pragma once

#include "document/GridClipboard.h"

#include <QObject>

class ChannelGridView;
class ChannelTableModel;
class DocumentCommands;

// Cut, copy, paste, delete and fill down on the grid's selection, each one undo step. Each
// first ends the cell edit in progress, so that it acts on what the grid shows.
class GridEditing : public QObject
{
    Q_OBJECT

public:
    GridEditing(ChannelGridView& grid, ChannelTableModel& table, DocumentCommands& commands,
                QObject* parent = nullptr);

    void copy();
    void cut();
    void paste();
    void deleteCells();
    void fillDown();

signals:
    // What a paste or a fill could not take as it was; empty when it took everything.
    void statusNote(const QString& note);

private:
    struct CellRange
    {
        int top = -1;
        int left = 0;
        int bottom = -1;
        int right = 0;
    };
    CellRange selectedRange() const;
    QList<std::pair<int, int>> selectedCells() const;
    QString noteOf(const GridClipboard::RowEdit& edit) const;

    ChannelGridView& grid_;
    ChannelTableModel& table_;
    DocumentCommands& commands_;
};
