#include "ProblemsPanel.h"

#include "WindowHelpers.h"

#include "checks/SiteChecks.h"
#include "document/ChannelTableModel.h"

#include <QTreeWidget>

namespace {

constexpr int kDelayMilliseconds = 200;

} // namespace

ProblemsPanel::ProblemsPanel(const ChannelTableModel& table, QWidget* parent)
    : QDockWidget(QStringLiteral("Problems"), parent), table_(table), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("ProblemsPanel"));
    list_->setObjectName(QStringLiteral("ProblemsList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {QStringLiteral("Channel"), QStringLiteral("Column"), QStringLiteral("Problem")});
    // Lines of one height, columns fitted once a refresh: thousands of lines fill at once.
    list_->setUniformRowHeights(true);
    setWidget(list_);
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMilliseconds);
    connect(&delay_, &QTimer::timeout, this, &ProblemsPanel::refresh);
    connect(&table, &QAbstractItemModel::modelReset, &delay_, qOverload<>(&QTimer::start));
    connect(&table, &ChannelTableModel::siteDataChanged, &delay_, qOverload<>(&QTimer::start));
    connect(&table, &QAbstractItemModel::rowsInserted, &delay_, qOverload<>(&QTimer::start));
    connect(&table, &QAbstractItemModel::rowsRemoved, &delay_, qOverload<>(&QTimer::start));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit cellChosen(item->data(0, Qt::UserRole).toInt(), item->data(1, Qt::UserRole).toInt());
    });
    refresh();
}

void ProblemsPanel::refresh()
{
    delay_.stop();
    const QList<SiteProblem> problems = CheckSite(table_.rows());
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const SiteProblem& problem : problems) {
        auto* item = new QTreeWidgetItem(
            {table_.label(problem.row), ColumnCaption(problem.column), problem.text});
        item->setData(0, Qt::UserRole, problem.row);
        item->setData(1, Qt::UserRole, problem.column);
        item->setToolTip(2, problem.text);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    ModFunc::FitColumns(*list_);
    count_ = int(problems.size());
    setWindowTitle(QStringLiteral("Problems (%1)").arg(count_));
    emit countChanged(count_);
}
