// The main window's menus, toolbar and unit selector.
#include "FrmDips.h"

#include "CheckPanels.h"
#include "MainActions.h"
#include "RecentFilesMenu.h"
#include "Twips.h"
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "help/FrmHelp.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>

namespace {

constexpr int kHelp = 101;

} // namespace

void FrmDips::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    file->addActions(
        {actions_->newSite, actions_->open, actions_->save, actions_->saveAs, actions_->reload});
    file->addSeparator()->setObjectName(QStringLiteral("MnuSep0"));
    file->addAction(actions_->import);
    file->addSeparator()->setObjectName(QStringLiteral("MnuSep1"));
    file->addActions({actions_->exportToCard, actions_->verifyCard});
    file->addSeparator();
    file->addActions({actions_->compareWith, actions_->endComparison, actions_->saveReport,
                      actions_->exportAlteration, actions_->printAlteration,
                      actions_->printChangedLabels});
    file->addSeparator();
    file->addActions(
        {actions_->print, actions_->printPreview, actions_->exportPdf, actions_->printSetup});
    file->addSeparator();
    file->addActions({actions_->printLabels, actions_->exportLabelsPdf, actions_->labelSheetSetup,
                      actions_->labels});
    QAction* exitSeparator = file->addSeparator();
    file->addAction(actions_->exit);
    recentFiles_ = new RecentFilesMenu(
        *file, [this](const QString& path) { commands_->openFromOutside(path); }, exitSeparator);
    connect(actions_->exit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MnuEdit"));
    edit->addActions({actions_->undo, actions_->redo});
    edit->addSeparator();
    edit->addActions({actions_->cut, actions_->copy, actions_->paste, actions_->deleteCells,
                      actions_->fillDown});
    edit->addSeparator();
    edit->addAction(actions_->find);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MnuHelp"));
    help->addActions({actions_->help, actions_->about});
    connect(actions_->help, &QAction::triggered, this, [this] { FrmHelp(this).ShowHelp(kHelp); });
    connect(actions_->about, &QAction::triggered, this, &FrmDips::showAbout);
}

// A bar across the top that stays where it is.
QToolBar* FrmDips::addFixedToolBar(const QString& name)
{
    QToolBar* bar = addToolBar(name);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    return bar;
}

// After the Edit menu, before Help: the panels and the keys through the differences.
void FrmDips::buildViewMenu()
{
    auto* view = new QMenu(QStringLiteral("&View"), this);
    view->setObjectName(QStringLiteral("MnuView"));
    panels_->fillViewMenu(*view);
    menuBar()->insertMenu(findChild<QMenu*>(QStringLiteral("MnuHelp"))->menuAction(), view);
}

void FrmDips::buildToolbar()
{
    QToolBar* toolbar = addFixedToolBar(QStringLiteral("Toolbar1"));
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (QAction* action : actions_->toolbar()) {
        if (action)
            toolbar->addAction(action);
        else
            toolbar->addSeparator();
    }
}

void FrmDips::buildChannelCountSelector()
{
    QToolBar* band = addFixedToolBar(QStringLiteral("CoolBar1"));
    cmbNoChans_ = new QComboBox(band);
    cmbNoChans_->setObjectName(QStringLiteral("CmbNoChans"));
    // Reached by Alt+U or the mouse only: a key typed there may delete units.
    cmbNoChans_->setFocusPolicy(Qt::ClickFocus);
    auto* units = new QLabel(QStringLiteral("&Units: "), band);
    units->setObjectName(QStringLiteral("UnitsLabel"));
    units->setBuddy(cmbNoChans_);
    band->addWidget(units);
    cmbNoChans_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbNoChans_->setMinimumSize(Twips::toPixelsX(840), Twips::toPixelsY(315));
    band->addWidget(cmbNoChans_);
    connect(cmbNoChans_, &QComboBox::currentIndexChanged, this, &FrmDips::onChannelCountSelected);
    connect(table_, &QAbstractItemModel::modelReset, this, &FrmDips::showChannelCount);
    connect(table_, &QAbstractItemModel::rowsInserted, this, &FrmDips::showChannelCount);
    connect(table_, &QAbstractItemModel::rowsRemoved, this, &FrmDips::showChannelCount);
}
