#pragma once

#include <QObject>

class ChannelGridView;
class CheckCommands;
class DifferencesPanel;
class ProblemsPanel;
class QMainWindow;
class QMenu;
class SiteStatus;
struct MainActions;

// The checker's part of the main window: the Problems and Differences panels below the grid,
// the View menu that shows them, F8 and Shift+F8 through the differences, and their counts in
// the status bar.
class CheckPanels : public QObject
{
    Q_OBJECT

public:
    CheckPanels(QMainWindow& window, ChannelGridView& grid, CheckCommands& checks,
                SiteStatus& status, const MainActions& actions);

    ProblemsPanel* problems() const { return problems_; }
    DifferencesPanel* differences() const { return differences_; }
    // The View menu: the panels, then the keys through the differences.
    void fillViewMenu(QMenu& menu) const;

    // Goes to the next (step 1) or the previous (step -1) differing cell after the current one,
    // round the end.
    void goToDifference(int step);

private:
    void goToCell(int row, int column);
    void showCounts();

    ChannelGridView& grid_;
    CheckCommands& checks_;
    SiteStatus& status_;
    const MainActions& actions_;
    ProblemsPanel* problems_;
    DifferencesPanel* differences_;
};
