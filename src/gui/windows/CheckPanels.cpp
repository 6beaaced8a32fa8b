#include "CheckPanels.h"

#include "ChannelGridView.h"
#include "DifferencesPanel.h"
#include "MainActions.h"
#include "ProblemsPanel.h"
#include "SiteStatus.h"
#include "commands/CheckCommands.h"
#include "document/ChannelTableModel.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace {

constexpr int kPanelHeight = 110;

// Where the differences lie in the grid, in its order: row by row, column by column. Channels
// only the other site has are in no row of the grid.
QList<std::pair<int, int>> differencePlaces(const SiteComparison& comparison)
{
    QList<std::pair<int, int>> places;
    for (const SiteComparison::Cell& cell : comparison.cells)
        places.append({cell.row, cell.column});
    for (const SiteComparison::Extra& extra : comparison.extras) {
        if (extra.ours)
            places.append({extra.first, int(ChannelTableModel::ColRelNam)});
    }
    std::sort(places.begin(), places.end());
    return places;
}

} // namespace

CheckPanels::CheckPanels(QMainWindow& window, ChannelGridView& grid, CheckCommands& checks,
                         SiteStatus& status, const MainActions& actions)
    : QObject(&window), grid_(grid), checks_(checks), status_(status), actions_(actions),
      problems_(new ProblemsPanel(*static_cast<ChannelTableModel*>(grid.model()), &window)),
      differences_(new DifferencesPanel(checks, &window))
{
    window.addDockWidget(Qt::BottomDockWidgetArea, problems_);
    window.addDockWidget(Qt::BottomDockWidgetArea, differences_);
    window.tabifyDockWidget(problems_, differences_);
    problems_->raise();
    // A few lines of the panels; the grid keeps the room.
    window.resizeDocks({problems_}, {kPanelHeight}, Qt::Vertical);
    for (auto* panel :
         {static_cast<QDockWidget*>(problems_), static_cast<QDockWidget*>(differences_)})
        panel->setFeatures(QDockWidget::DockWidgetClosable);
    connect(problems_, &ProblemsPanel::cellChosen, this, &CheckPanels::goToCell);
    connect(differences_, &DifferencesPanel::cellChosen, this, &CheckPanels::goToCell);
    connect(problems_, &ProblemsPanel::countChanged, this, &CheckPanels::showCounts);
    connect(&checks, &CheckCommands::comparisonChanged, this, [this] {
        // Every cell's mark may have come or gone, the contact column's too.
        grid_.viewport()->update();
        if (checks_.comparing()) {
            differences_->show();
            differences_->raise();
        }
        showCounts();
    });
    connect(actions.nextDifference, &QAction::triggered, this, [this] { goToDifference(1); });
    connect(actions.previousDifference, &QAction::triggered, this, [this] { goToDifference(-1); });
    showCounts();
}

void CheckPanels::fillViewMenu(QMenu& menu) const
{
    menu.addAction(problems_->toggleViewAction());
    menu.addAction(differences_->toggleViewAction());
    menu.addSeparator();
    menu.addActions({actions_.nextDifference, actions_.previousDifference});
}

void CheckPanels::goToCell(int row, int column)
{
    const QModelIndex cell = grid_.model()->index(row, column);
    if (!cell.isValid())
        return;
    grid_.setCurrentIndex(cell);
    grid_.scrollTo(cell);
    grid_.setFocus();
}

void CheckPanels::goToDifference(int step)
{
    const QList<std::pair<int, int>> places = differencePlaces(checks_.comparison());
    if (places.isEmpty())
        return;
    const QModelIndex current = grid_.currentIndex();
    const std::pair<int, int> here{current.row(), current.column()};
    const auto after = std::upper_bound(places.begin(), places.end(), here);
    const auto before = std::lower_bound(places.begin(), places.end(), here);
    const std::pair<int, int> target =
        step > 0 ? (after == places.end() ? places.first() : *after)
                 : (before == places.begin() ? places.last() : *std::prev(before));
    goToCell(target.first, target.second);
}

void CheckPanels::showCounts()
{
    const bool comparing = checks_.comparing();
    actions_.nextDifference->setEnabled(comparing);
    actions_.previousDifference->setEnabled(comparing);
    actions_.endComparison->setEnabled(comparing);
    actions_.saveReport->setEnabled(comparing);
    status_.showChecks(problems_->count(), comparing ? checks_.comparison().count() : -1);
}
