#pragma once

#include <QDockWidget>

class CheckCommands;
class QLabel;
class QTreeWidget;

// What differs from the site compared with, a row each (channel, column, this site, the other
// site), following every edit; a double-click asks for the cell. It says when state texts are
// not compared, and offers the report for the checking record.
class DifferencesPanel : public QDockWidget
{
    Q_OBJECT

public:
    DifferencesPanel(CheckCommands& checks, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QString noteText() const;

signals:
    void cellChosen(int row, int column);

private:
    void refresh();

    CheckCommands& checks_;
    QTreeWidget* list_;
    QLabel* note_;
};
