#pragma once

#include <QDockWidget>

class CheckCommands;
class DifferenceListModel;
class QLabel;
class QTreeView;

// What differs from the site compared with, a row each (channel, column, this site, the other
// site), following every edit; a double-click asks for the cell. It says when state texts are
// not compared, and offers the report for the checking record.
class DifferencesPanel : public QDockWidget
{
    Q_OBJECT

public:
    DifferencesPanel(CheckCommands& checks, QWidget* parent = nullptr);

    QTreeView* list() const { return list_; }
    QString noteText() const;

signals:
    void cellChosen(int row, int column);

private:
    void refresh();

    CheckCommands& checks_;
    DifferenceListModel* lines_;
    QTreeView* list_;
    QLabel* note_;
};
