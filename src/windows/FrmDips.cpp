#include "FrmDips.h"

#include "ChannelGridView.h"
#include "FormSizeSettings.h"
#include "ModGlobal.h"
#include "Twips.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "document/UserChannelChoice.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
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

} // namespace

FrmDips::FrmDips(QWidget* parent)
    : QMainWindow(parent), table_(new ChannelTableModel(this)),
      commands_(new DocumentCommands(*table_, ModGlobal::dirs, this))
{
    setObjectName(QStringLiteral("FrmDips"));
    setWindowTitle(commands_->caption());
    setWindowIcon(QIcon(QStringLiteral(":/toolbar/export.xpm")));
    commands_->setFinishEdit([this] { FinishEdit(); });
    connect(commands_, &DocumentCommands::captionChanged, this, &QWidget::setWindowTitle);
    connect(table_, &ChannelTableModel::cellEdited, this, [this] { commands_->setModified(true); });
    connect(table_, &ChannelTableModel::choiceSelected, this, &FrmDips::showChoiceSelected);

    buildMenu();
    buildToolbar();
    buildChannelCountSelector();
    buildGrid();
    ModGlobal::LoadSettings(ModGlobal::dirs);
    placeFromSettings();
    FillChannelCountList();
    table_->SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
}

FrmDips::~FrmDips() = default;

void FrmDips::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    const auto command = [this](void (DocumentCommands::*run)()) {
        return [this, run] { (commands_->*run)(); };
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
    applyFixedWidth();
    setMinimumHeight(Twips::toPixelsY(kMinimumHeight));
    resize(width(), std::max(Twips::toPixelsY(size.height), minimumHeight()));
}

void FrmDips::applyFixedWidth()
{
    const int frame = frameGeometry().width() - geometry().width();
    setFixedWidth(Twips::toPixelsX(kFormWidth) - frame);
}

void FrmDips::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    applyFixedWidth();
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
    else if (key == QLatin1String("Labels") && exportLabels_)
        exportLabels_();
}

void FrmDips::onChannelCountSelected(int index)
{
    FinishEdit();
    if (ignoreComboClick_)
        return;
    if (ApplyUserChannelChoice(*table_, index))
        commands_->setModified(true);
}

void FrmDips::showChoiceSelected(int choice)
{
    ignoreComboClick_ = true;
    cmbNoChans_->setCurrentIndex(choice);
    ignoreComboClick_ = false;
}
