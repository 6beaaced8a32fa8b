#pragma once

#include <QDockWidget>
#include <QTimer>

class ChannelTableModel;
class QTreeWidget;

// The site's problems beside the grid, a row each (channel, column, problem), checked again a
// moment after every change. A double-click asks for the cell.
class ProblemsPanel : public QDockWidget
{
    Q_OBJECT

public:
    ProblemsPanel(const ChannelTableModel& table, QWidget* parent = nullptr);

    int count() const { return count_; }
    QTreeWidget* list() const { return list_; }
    // Checks now rather than a moment later.
    void refresh();

signals:
    void cellChosen(int row, int column);
    void countChanged(int count);

private:
    const ChannelTableModel& table_;
    QTreeWidget* list_;
    QTimer delay_;
    int count_ = 0;
};
