#include "FrmDips.h"

#include "ChannelGridView.h"
#include "CheckPanels.h"
#include "CommandLineOpen.h"
#include "FindBar.h"
#include "GridEditing.h"
#include "MainActions.h"
#include "ModGlobal.h"
#include "RecentFilesMenu.h"
#include "SitePrinting.h"
#include "SiteStatus.h"
#include "Twips.h"
#include "WindowGeometry.h"
#include "checks/Fingerprint.h"
#include "commands/ChannelCount.h"
#include "commands/CheckCommands.h"
#include "commands/DocumentCommands.h"
#include "commands/PrintCommands.h"
#include "commands/SiteFormats.h"
#include "commands/SiteRecovery.h"
#include "common/Dialogs.h"
#include "corvane/FrmSiteSelector.h"
#include "document/ChannelSearch.h"
#include "document/ChannelTableModel.h"
#include "document/SiteSize.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr double kGridBottomGap = 30;
constexpr double kRowHeaderWidth = 500;

// The user may widen these two; the others are as wide as their contents need.
constexpr int kResizableColumns[] = {ChannelTableModel::ColRelNam, ChannelTableModel::ColStDn};

// The one local channel file or list of a drop; empty for anything else. A .cfg is no file Open
// takes, so it is not taken here either.
QString droppedSiteFile(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return SiteFormats::forOpening(path) ? QDir::toNativeSeparators(path) : QString();
}

} // namespace

FrmDips::FrmDips(QWidget* parent)
    : QMainWindow(parent), table_(new ChannelTableModel(this)),
      commands_(new DocumentCommands(*table_, ModGlobal::dirs, this)),
      checks_(new CheckCommands(*commands_, *table_, ModGlobal::dirs, this)),
      printCommands_(new PrintCommands(*commands_, *table_, *checks_, ModGlobal::dirs, this)),
      actions_(std::make_unique<MainActions>(this))
{
    setObjectName(QStringLiteral("FrmDips"));
    showCaption();
    setAcceptDrops(true);
    commands_->setFinishEdit([this] { FinishEdit(); });
    // A fresh selector for every import, unloaded when it has answered.
    commands_->setSiteChooser([this] {
        FrmSiteSelector selector(this);
        selector.ShowOpen();
        return ChosenSite{selector.ButtonPressed(), selector.CrvSiteName(), selector.CrvCfgDir()};
    });
    buildMenus();
    buildToolbar();
    buildChannelCountSelector();
    buildGrid();
    status_ = new SiteStatus(*statusBar(), *table_);
    panels_ = new CheckPanels(*this, *grid_, *checks_, *status_, *actions_);
    buildViewMenu();
    recovery_ = new SiteRecovery(*commands_, *table_, SiteRecovery::defaultFolder(), this);
    connect(recovery_, &SiteRecovery::keepingChanged, status_, &SiteStatus::showRecoveryFailure);
    printing_ = new SitePrinting(*this, *printCommands_, *checks_, *actions_);
    connectCommands();
    connectEditing();
    ModGlobal::LoadSettings(ModGlobal::dirs);
    geometry_ = new WindowGeometry(*this, grid_);
    geometry_->placeFromSettings();
    FillChannelCountList();
    ChannelCount::SetChannelCount(*table_, SiteSize::choiceChannels(0), ChannelCount::FillAllRows);
    grid_->setCurrentIndex(table_->index(0, ChannelTableModel::ColRelNam));
    grid_->setFocus();
}

FrmDips::~FrmDips() = default;

void FrmDips::buildGrid()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, Twips::toPixelsY(kGridBottomGap));
    grid_ = new ChannelGridView(central);
    grid_->setObjectName(QStringLiteral("SGGrid1"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    grid_->setFont(font);
    grid_->setModel(table_);
    grid_->verticalHeader()->setFixedWidth(Twips::toPixelsX(kRowHeaderWidth));
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (const int column : kResizableColumns)
        grid_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Interactive);
    grid_->fitColumns();
    layout->addWidget(grid_);
    connect(table_, &QAbstractItemModel::modelAboutToBeReset, grid_, [this] {
        cellBeforeReset_ = {grid_->currentIndex().row(), grid_->currentIndex().column()};
    });
    connect(table_, &QAbstractItemModel::modelReset, grid_,
            [this] { keepCurrentCell(cellBeforeReset_.first, cellBeforeReset_.second); });
    setCentralWidget(central);
}

void FrmDips::connectCommands()
{
    DocumentCommands* commands = commands_;
    connect(actions_->newSite, &QAction::triggered, commands, &DocumentCommands::NewSite);
    connect(actions_->open, &QAction::triggered, commands, &DocumentCommands::OpenSite);
    connect(actions_->save, &QAction::triggered, commands, &DocumentCommands::SaveSite);
    connect(actions_->saveAs, &QAction::triggered, commands, &DocumentCommands::SaveSiteAs);
    connect(actions_->reload, &QAction::triggered, commands, &DocumentCommands::ReloadSite);
    connect(commands, &DocumentCommands::captionChanged, actions_->reload,
            [this] { actions_->reload->setEnabled(!commands_->site().sitePath.isEmpty()); });
    actions_->reload->setEnabled(false);
    connect(actions_->import, &QAction::triggered, commands,
            &DocumentCommands::ImportCorvaneAllocations);
    connect(actions_->exportToCard, &QAction::triggered, checks_, &CheckCommands::ExportAndVerify);
    connect(actions_->verifyCard, &QAction::triggered, checks_, &CheckCommands::VerifyCard);
    connect(actions_->compareWith, &QAction::triggered, checks_, &CheckCommands::CompareWith);
    connect(actions_->endComparison, &QAction::triggered, checks_, &CheckCommands::EndComparison);
    connect(actions_->saveReport, &QAction::triggered, checks_, &CheckCommands::SaveReport);
    connect(actions_->labels, &QAction::triggered, commands, &DocumentCommands::ExportLabels);
    connect(actions_->undo, &QAction::triggered, commands, &DocumentCommands::Undo);
    connect(actions_->redo, &QAction::triggered, commands, &DocumentCommands::Redo);
    QUndoStack* history = commands->history();
    connect(history, &QUndoStack::canUndoChanged, actions_->undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, actions_->redo, &QAction::setEnabled);
    QAction* undo = actions_->undo;
    QAction* redo = actions_->redo;
    connect(history, &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
        undo->setText(QStringLiteral("&Undo %1").arg(text).trimmed());
    });
    connect(history, &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
        redo->setText(QStringLiteral("&Redo %1").arg(text).trimmed());
    });
    // Every command leaves the keyboard in the grid, as the selector does after a choice.
    for (QAction* action : actions_->all())
        connect(action, &QAction::triggered, grid_, [this] { grid_->setFocus(); });
    connect(commands, &DocumentCommands::captionChanged, this, &FrmDips::showCaption);
    connect(commands, &DocumentCommands::modifiedChanged, this, &QWidget::setWindowModified);
    connect(commands, &DocumentCommands::fileUsed, recentFiles_, &RecentFilesMenu::add);
}

void FrmDips::connectEditing()
{
    editing_ = new GridEditing(*grid_, *table_, *commands_, this);
    connect(actions_->cut, &QAction::triggered, editing_, &GridEditing::cut);
    connect(actions_->copy, &QAction::triggered, editing_, &GridEditing::copy);
    connect(actions_->paste, &QAction::triggered, editing_, &GridEditing::paste);
    connect(actions_->deleteCells, &QAction::triggered, editing_, &GridEditing::deleteCells);
    connect(actions_->fillDown, &QAction::triggered, editing_, &GridEditing::fillDown);
    connect(editing_, &GridEditing::statusNote, status_, &SiteStatus::showNote);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, status_,
            [this](const QModelIndex& current) { status_->showPosition(current.row()); });
    findBar_ = new FindBar(this);
    addToolBar(Qt::BottomToolBarArea, findBar_);
    connect(actions_->find, &QAction::triggered, findBar_, &FindBar::activate);
    connect(findBar_, &FindBar::closed, grid_, [this] { grid_->setFocus(); });
    connect(findBar_, &FindBar::findNext, this, &FrmDips::findNext);
}

// The platform's mark of unsaved changes goes after the site's name.
void FrmDips::showCaption()
{
    const QString caption = commands_->caption();
    const qsizetype nameLength = commands_->site().siteName.size();
    const auto escaped = [](QString text) {
        return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    };
    setWindowTitle(escaped(caption.left(nameLength)) + QStringLiteral("[*]") +
                   escaped(caption.mid(nameLength)));
}

// A command that put another site in place leaves the grid on the cell it was on, or on the
// first channel of a new site.
void FrmDips::keepCurrentCell(int row, int column)
{
    const bool fresh = commands_->site().siteName.isEmpty() && !commands_->isModified();
    const int rows = table_->rowCount();
    if (rows == 0)
        return;
    const QModelIndex cell = fresh || row < 0 ? table_->index(0, ChannelTableModel::ColRelNam)
                                              : table_->index(std::min(row, rows - 1), column);
    grid_->setCurrentIndex(cell);
    grid_->scrollTo(cell);
}

// The version and the checksums an engineer records to show which build was used; the
// converter's too when it is installed beside the editor.
void FrmDips::showAbout()
{
    const QString folder = QCoreApplication::applicationDirPath();
    QString text = QStringLiteral("ZR415Config %1\r\nChannel list editor for the ZR415 signalling "
                                  "data logger.\r\n\r\nSHA-256 of this program:\r\n%2")
                       .arg(QStringLiteral(ZR415_VERSION),
                            Fingerprint::ofProgram(QCoreApplication::applicationFilePath()));
    for (const QString& name :
         {QStringLiteral("zr415-convert"), QStringLiteral("zr415-convert.exe")}) {
        const QString converter = QDir(folder).filePath(name);
        if (QFileInfo(converter).isFile())
            text += QStringLiteral("\r\nSHA-256 of %1 beside it:\r\n%2")
                        .arg(name, Fingerprint::ofProgram(converter));
    }
    AskUser(text, QStringLiteral("About ZR415Config"), MessageIcon::Information,
            MessageButtons::Ok);
}

void FrmDips::findNext(const QString& text)
{
    const int from = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    const int row = FindChannel(*table_, text, from);
    if (row < 0) {
        status_->showNote(QStringLiteral("\"%1\" not found").arg(text));
        return;
    }
    const QModelIndex cell = table_->index(row, ChannelTableModel::ColRelNam);
    grid_->setCurrentIndex(cell);
    grid_->scrollTo(cell);
}

void FrmDips::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedSiteFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmDips::dropEvent(QDropEvent* event)
{
    const QString path = droppedSiteFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so the save question is not asked inside it.
    QMetaObject::invokeMethod(
        this, [this, path] { commands_->openFromOutside(path); }, Qt::QueuedConnection);
}

void FrmDips::FillChannelCountList()
{
    const QSignalBlocker blocker(cmbNoChans_);
    for (int choice = 0; choice < SiteSize::kChoiceCount; ++choice)
        cmbNoChans_->addItem(SiteSize::choiceText(choice), SiteSize::choiceChannels(choice));
    cmbNoChans_->setCurrentIndex(-1);
}

// Coming back to the editor, the user hears of a site file that another program changed.
void FrmDips::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() ||
        !commands_->siteFileChanged())
        return;
    status_->showNote(QStringLiteral("%1 was changed by another program. File > Reload reads it "
                                     "again.")
                          .arg(commands_->site().siteFileTitle));
}

void FrmDips::closeEvent(QCloseEvent* event)
{
    FinishEdit();
    const bool mayClose = commands_->AskSaveChanges();
    ModGlobal::SaveSettings(ModGlobal::dirs);
    geometry_->store();
    if (!mayClose) {
        event->ignore();
        return;
    }
    // Saved, or the changes given up: either way no copy is wanted any more.
    recovery_->discard();
    event->accept();
}

void FrmDips::FinishEdit()
{
    grid_->finishEdit();
}

void FrmDips::start(const QStringList& files)
{
    recovery_->offerLeftCopies();
    OpenCommandLineFile(*commands_, files);
}

void FrmDips::onChannelCountSelected(int index)
{
    FinishEdit();
    if (ignoreComboClick_)
        return;
    commands_->ChangeChannelCount(index);
    // A shrink the user cancelled puts the selection back.
    showChannelCount();
    grid_->setFocus();
}

void FrmDips::showChannelCount()
{
    ignoreComboClick_ = true;
    cmbNoChans_->setCurrentIndex(SiteSize::choiceFor(table_->channelCount()));
    ignoreComboClick_ = false;
}
