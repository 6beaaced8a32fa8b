#include "FrmDips.h"

#include "ChannelGridDelegate.h"
#include "ChannelGridView.h"
#include "FindBar.h"
#include "FormSizeSettings.h"
#include "GridEditing.h"
#include "ModGlobal.h"
#include "RecentFiles.h"
#include "Twips.h"
#include "UndoHistory.h"
#include "commands/DocumentCommands.h"
#include "common/Dialogs.h"
#include "corvane/FrmSiteSelector.h"
#include "document/ChannelSearch.h"
#include "document/ChannelStatistics.h"
#include "document/ChannelTableModel.h"
#include "document/SitePaths.h"
#include "document/UserChannelChoice.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr double kFormWidth = 6945;
constexpr double kMinimumHeight = 2000;
constexpr double kGridBottomGap = 30;
constexpr double kRowHeaderWidth = 500;

struct ToolbarButton
{
    const char* key;
    const char* tooltip;
    const char* picture;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {"New", "New site", ":/toolbar/new.xpm"},
    {"Open", "Open site", ":/toolbar/open.xpm"},
    {"Import", "Import...", ":/toolbar/import.xpm"},
    {"Save", "Save site", ":/toolbar/save.xpm"},
    {nullptr, nullptr, nullptr},
    {"Export", "Export to ZR415", ":/toolbar/export.xpm"},
    {"Labels", "Export to labels database", ":/toolbar/labels.xpm"},
};

struct GridColumn
{
    int column;
    double width;
    bool resizable;
};

constexpr GridColumn kGridColumns[] = {
    {ChannelTableModel::ColChan, 600, false},  {ChannelTableModel::ColRelNam, 1995, true},
    {ChannelTableModel::ColBack, 1200, false}, {ChannelTableModel::ColStUp, 1200, false},
    {ChannelTableModel::ColStDn, 1200, true},
};

// The one local channel file or list of a drop; empty for anything else. A .cfg is no file Open
// takes, so it is not taken here either.
QString droppedSiteFile(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    switch (SitePaths::FileTypeOf(path)) {
    case SitePaths::SiteFileType::Dip:
    case SitePaths::SiteFileType::Csv:
        return QDir::toNativeSeparators(path);
    default:
        return QString();
    }
}

} // namespace

FrmDips::FrmDips(QWidget* parent)
    : QMainWindow(parent), table_(new ChannelTableModel(this)),
      commands_(new DocumentCommands(*table_, ModGlobal::dirs, this))
{
    setObjectName(QStringLiteral("FrmDips"));
    setWindowTitle(commands_->caption());
    commands_->setFinishEdit([this] { FinishEdit(); });
    exportLabels_ = [this] { ExportLabelDatabase(*table_, LabelDatabase::editorDefault()); };
    // A fresh selector for every import, unloaded when it has answered.
    commands_->setSiteChooser([this] {
        FrmSiteSelector selector(this);
        selector.ShowOpen();
        return ChosenSite{selector.ButtonPressed(), selector.CrvSiteName(), selector.CrvCfgDir()};
    });
    connect(commands_, &DocumentCommands::captionChanged, this, &QWidget::setWindowTitle);
    connect(commands_, &DocumentCommands::fileUsed, this,
            [this](const QString& path) { showRecentFiles(RecentFiles::Add(path)); });
    connect(table_, &ChannelTableModel::choiceSelected, this, &FrmDips::showChoiceSelected);
    // The undo history decides whether the site is modified, from the user's edits.
    history_ = new UndoHistory(*table_, *commands_, this);
    setAcceptDrops(true);

    buildMenu();
    buildToolbar();
    buildChannelCountSelector();
    buildGrid();
    editing_ = new GridEditing(*grid_, *table_, *history_, this);
    buildEditMenu();
    buildHelpMenu();
    buildStatusBar();
    ModGlobal::LoadSettings(ModGlobal::dirs);
    placeFromSettings();
    FillChannelCountList();
    table_->SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
    showRecentFiles(RecentFiles::Load());
}

FrmDips::~FrmDips() = default;

void FrmDips::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    fileMenu_ = file;
    // The slot captures the pointer itself: GCC 12 reads a nested lambda's `this` through the
    // outer closure, a stack object long gone when the action fires.
    const auto command = [this](void (DocumentCommands::*run)()) {
        return [commands = commands_, run] { (commands->*run)(); };
    };
    const struct
    {
        const char* name;
        const char* caption;
        std::function<void()> run;
    } items[] = {
        {"MnuNew", "&New", command(&DocumentCommands::NewSite)},
        {"MnuOpen", "&Open...", command(&DocumentCommands::OpenSite)},
        {"MnuSave", "&Save", [this] { commands_->SaveSite(); }},
        {"MnuSaveAs", "Save &as...", [this] { commands_->SaveSiteAs(); }},
        {"MnuSep0", nullptr, nullptr},
        {"MnuImport", "&Import...", command(&DocumentCommands::ImportCorvaneAllocations)},
        {"MnuSep1", nullptr, nullptr},
        {"MnuExport", "&Export to ZR415...", command(&DocumentCommands::ExportToCard)},
    };
    for (const auto& item : items) {
        QAction* action = item.caption ? file->addAction(QString::fromLatin1(item.caption))
                                       : file->addSeparator();
        action->setObjectName(QLatin1String(item.name));
        if (item.run)
            connect(action, &QAction::triggered, this, item.run);
    }
    file->findChild<QAction*>(QStringLiteral("MnuNew"))->setShortcuts(QKeySequence::New);
    file->findChild<QAction*>(QStringLiteral("MnuOpen"))->setShortcuts(QKeySequence::Open);
    file->findChild<QAction*>(QStringLiteral("MnuSave"))->setShortcuts(QKeySequence::Save);
}

void FrmDips::buildEditMenu()
{
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MnuEdit"));
    QUndoStack* stack = history_->stack();
    // Not the stack's own actions: an edit still open must reach the history first.
    const auto addHistoryAction = [this, edit](const char* name, const QString& caption,
                                               QKeySequence::StandardKey key,
                                               std::function<void()> run) {
        QAction* action = edit->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(key);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
            FinishEdit();
            run();
        });
        return action;
    };
    QAction* undo = addHistoryAction("MnuUndo", QStringLiteral("&Undo"), QKeySequence::Undo,
                                     [stack] { stack->undo(); });
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
        undo->setText(QStringLiteral("&Undo %1").arg(text).trimmed());
    });
    QAction* redo = addHistoryAction("MnuRedo", QStringLiteral("&Redo"), QKeySequence::Redo,
                                     [stack] { stack->redo(); });
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
        redo->setText(QStringLiteral("&Redo %1").arg(text).trimmed());
    });
    edit->addSeparator();
    const struct
    {
        const char* name;
        const char* caption;
        QKeySequence::StandardKey key;
        void (GridEditing::*run)();
    } items[] = {
        {"MnuCut", "Cu&t", QKeySequence::Cut, &GridEditing::cut},
        {"MnuCopy", "&Copy", QKeySequence::Copy, &GridEditing::copy},
        {"MnuPaste", "&Paste", QKeySequence::Paste, &GridEditing::paste},
        {"MnuDelete", "&Delete", QKeySequence::Delete, &GridEditing::deleteCells},
    };
    for (const auto& item : items) {
        QAction* action = edit->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QLatin1String(item.name));
        action->setShortcuts(item.key);
        connect(action, &QAction::triggered, editing_, item.run);
    }
    QAction* fillDown = edit->addAction(QStringLiteral("Fill Do&wn"));
    fillDown->setObjectName(QStringLiteral("MnuFillDown"));
    // No platform has a standard key for it; Ctrl+D is the spreadsheets' one.
    fillDown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(fillDown, &QAction::triggered, editing_, &GridEditing::fillDown);
    edit->addSeparator();
    QAction* find = edit->addAction(QStringLiteral("&Find..."));
    find->setObjectName(QStringLiteral("MnuFind"));
    find->setShortcuts(QKeySequence::Find);
    findBar_ = new FindBar(this);
    addToolBar(Qt::BottomToolBarArea, findBar_);
    connect(find, &QAction::triggered, findBar_, &FindBar::activate);
    connect(findBar_, &FindBar::findNext, this, &FrmDips::findNext);
}

void FrmDips::buildHelpMenu()
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MnuHelp"));
    QAction* about = help->addAction(QStringLiteral("&About ZR415Config..."));
    about->setObjectName(QStringLiteral("MnuAbout"));
    connect(about, &QAction::triggered, this, &FrmDips::showAbout);
}

void FrmDips::showAbout()
{
    AskUser(QStringLiteral("ZR415Config %1\r\nChannel list editor for the ZR415 signalling data "
                           "logger.")
                .arg(QStringLiteral(ZR415_VERSION)),
            QStringLiteral("About ZR415Config"), MessageIcon::Information, MessageButtons::Ok);
}

void FrmDips::buildStatusBar()
{
    // The window is too narrow for both texts side by side, so a warning takes a line of its
    // own above the counts, in the colour of the cells it counts.
    auto* counts = new QWidget(this);
    auto* lines = new QVBoxLayout(counts);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);
    statusWarning_ = new QLabel(counts);
    statusWarning_->setObjectName(QStringLiteral("StatusWarning"));
    statusWarning_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusWarning_->setAutoFillBackground(true);
    QPalette marked = statusWarning_->palette();
    marked.setColor(QPalette::Window, QColor(ChannelGridDelegate::kUnencodableMark));
    statusWarning_->setPalette(marked);
    statusWarning_->hide();
    statusChannels_ = new QLabel(counts);
    statusChannels_->setObjectName(QStringLiteral("StatusChannels"));
    statusChannels_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lines->addWidget(statusWarning_);
    lines->addWidget(statusChannels_);
    statusBar()->addPermanentWidget(counts);
    connect(editing_, &GridEditing::statusNote, this,
            [this](const QString& note) { statusBar()->showMessage(note, 5000); });
    connect(table_, &QAbstractItemModel::modelReset, this, &FrmDips::updateStatus);
    connect(table_, &QAbstractItemModel::dataChanged, this, &FrmDips::updateStatus);
    connect(table_, &QAbstractItemModel::rowsInserted, this, &FrmDips::updateStatus);
    connect(table_, &QAbstractItemModel::rowsRemoved, this, &FrmDips::updateStatus);
}

void FrmDips::updateStatus()
{
    const ChannelStatistics statistics = ChannelStatistics::of(*table_);
    statusChannels_->setText(QStringLiteral("%1 of %2 channels in use, %3 on back contacts")
                                 .arg(statistics.inUse)
                                 .arg(table_->channelCount())
                                 .arg(statistics.back));
    statusWarning_->setVisible(statistics.unencodable > 0);
    if (statistics.unencodable == 0)
        statusWarning_->clear();
    else if (statistics.unencodable == 1)
        statusWarning_->setText(QStringLiteral("1 relay name holds characters written as \"?\""));
    else
        statusWarning_->setText(QStringLiteral("%1 relay names hold characters written as \"?\"")
                                    .arg(statistics.unencodable));
}

QString FrmDips::statusText() const
{
    return statusWarning_->text().isEmpty()
               ? statusChannels_->text()
               : statusWarning_->text() + QStringLiteral("; ") + statusChannels_->text();
}

// The separator and the entries are there only while there are recent files, so that an empty
// list leaves the File menu as it always was.
void FrmDips::showRecentFiles(const QStringList& files)
{
    qDeleteAll(recentActions_);
    recentActions_.clear();
    if (files.isEmpty())
        return;
    QAction* separator = fileMenu_->addSeparator();
    separator->setObjectName(QStringLiteral("MnuSepRecent"));
    recentActions_.append(separator);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), fileMenu_);
        action->setObjectName(QStringLiteral("MnuRecent%1").arg(i + 1));
        action->setStatusTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this,
                [this, path] { commands_->openFromOutside(path); });
        fileMenu_->addAction(action);
        recentActions_.append(action);
    }
}

void FrmDips::findNext(const QString& text)
{
    const int from = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    const int row = FindChannel(*table_, text, from);
    if (row < 0) {
        statusBar()->showMessage(QStringLiteral("\"%1\" not found").arg(text), 5000);
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

void FrmDips::buildToolbar()
{
    toolbar1_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1_->setMovable(false);
    toolbar1_->setFloatable(false);
    toolbar1_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar1_->setIconSize(QSize(16, 16));
    toolbar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolbarButton& button : kToolbarButtons) {
        if (!button.key) {
            toolbar1_->addSeparator();
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action = toolbar1_->addAction(QIcon(QLatin1String(button.picture)), key);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setToolTip(QLatin1String(button.tooltip));
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { onToolbarButton(key); });
    }
}

void FrmDips::buildChannelCountSelector()
{
    QToolBar* band = addToolBar(QStringLiteral("CoolBar1"));
    band->setObjectName(QStringLiteral("CoolBar1"));
    band->setMovable(false);
    band->setFloatable(false);
    band->setContextMenuPolicy(Qt::PreventContextMenu);
    cmbNoChans_ = new QComboBox(band);
    cmbNoChans_->setObjectName(QStringLiteral("CmbNoChans"));
    cmbNoChans_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbNoChans_->setMinimumSize(Twips::toPixelsX(840), Twips::toPixelsY(315));
    band->addWidget(cmbNoChans_);
    connect(cmbNoChans_, &QComboBox::currentIndexChanged, this, &FrmDips::onChannelCountSelected);
}

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
    for (const GridColumn& column : kGridColumns) {
        grid_->setColumnWidth(column.column, Twips::toPixelsX(column.width));
        grid_->horizontalHeader()->setSectionResizeMode(
            column.column, column.resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
    }
    layout->addWidget(grid_);
    setCentralWidget(central);
}

void FrmDips::FillChannelCountList()
{
    const QSignalBlocker blocker(cmbNoChans_);
    for (int choice = 0; choice < ChannelTableModel::kChoiceCount; ++choice)
        cmbNoChans_->addItem(ChannelTableModel::choiceText(choice),
                             ChannelTableModel::choiceChannels(choice));
    cmbNoChans_->setCurrentIndex(-1);
}

void FrmDips::placeFromSettings()
{
    const FormSize size = LoadFormSize();
    QPoint position(Twips::toPixelsX(size.left), Twips::toPixelsY(size.top));
    // A position stored on a screen that is no longer attached would hide the window.
    if (!QGuiApplication::screenAt(position) && QGuiApplication::primaryScreen())
        position = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    move(position);
    outerHeight_ = Twips::toPixelsY(size.height);
    applyOuterSize();
}

// Width and height count the window's frame.
void FrmDips::applyOuterSize()
{
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedWidth(Twips::toPixelsX(kFormWidth) - frame.width());
    setMinimumHeight(Twips::toPixelsY(kMinimumHeight) - frame.height());
    resize(width(), std::max(outerHeight_ - frame.height(), minimumHeight()));
}

// On X11 the window manager adds the frame some time after the window is shown; until then
// the frame reads as nothing, and a size set without it would make the window taller by the
// frame on every start. So the stored size is applied again once, when the frame appears.
void FrmDips::applyOuterSizeOnceFramed()
{
    if (framed_ || !isVisible() || frameGeometry().size() == geometry().size())
        return;
    framed_ = true;
    applyOuterSize();
}

void FrmDips::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        applyOuterSize();
    }
    applyOuterSizeOnceFramed();
}

void FrmDips::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    applyOuterSizeOnceFramed();
}

void FrmDips::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applyOuterSizeOnceFramed();
}

void FrmDips::storeGeometry()
{
    FormSize size;
    size.top = Twips::fromPixelsY(frameGeometry().top());
    size.left = Twips::fromPixelsX(frameGeometry().left());
    size.height = Twips::fromPixelsY(frameGeometry().height());
    SaveFormSize(size);
}

void FrmDips::closeEvent(QCloseEvent* event)
{
    FinishEdit();
    const bool mayClose = commands_->AskSaveChanges();
    ModGlobal::SaveSettings(ModGlobal::dirs);
    storeGeometry();
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void FrmDips::FinishEdit()
{
    grid_->finishEdit();
}

void FrmDips::setSiteChooser(std::function<ChosenSite()> chooser)
{
    commands_->setSiteChooser(std::move(chooser));
}

void FrmDips::onToolbarButton(const QString& key)
{
    if (key == QLatin1String("New"))
        commands_->NewSite();
    else if (key == QLatin1String("Open"))
        commands_->OpenSite();
    else if (key == QLatin1String("Save"))
        commands_->SaveSite();
    else if (key == QLatin1String("Import"))
        commands_->ImportCorvaneAllocations();
    else if (key == QLatin1String("Export"))
        commands_->ExportToCard();
    else if (key == QLatin1String("Labels"))
        exportLabels_();
}

void FrmDips::onChannelCountSelected(int index)
{
    FinishEdit();
    if (ignoreComboClick_)
        return;
    const int previous = table_->selectedChoice();
    if (ConfirmUserChannelChoice(*table_, index))
        history_->pushChannelChoice(previous, index);
}

void FrmDips::showChoiceSelected(int choice)
{
    ignoreComboClick_ = true;
    cmbNoChans_->setCurrentIndex(choice);
    ignoreComboClick_ = false;
}
