#include "FrmSiteSelector.h"

#include "FrmFileSelector.h"
#include "ModCrvFunc.h"
#include "common/Dialogs.h"
#include "corvane/ModCrvFile.h"
#include "help/FrmHelp.h"
#include "windows/ModGlobal.h"
#include "windows/Twips.h"
#include "windows/WindowHelpers.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>

namespace {

constexpr double kClientWidth = 4200;
constexpr double kClientHeight = 5430;
constexpr int kImportHelp = 101;

} // namespace

FrmSiteSelector::FrmSiteSelector(QWidget* parent)
    : QDialog(parent), siteList_(new QListWidget(this)), cmdDirSelect_(new QPushButton(this)),
      cmdCancel_(new QPushButton(this)), cmdLoad_(new QPushButton(this)),
      command1_(new QPushButton(this))
{
    buildControls();
    connect(siteList_, &QListWidget::itemSelectionChanged, this, &FrmSiteSelector::onSiteListClick);
    connect(siteList_, &QListWidget::itemDoubleClicked, this, &FrmSiteSelector::onLoad);
    connect(cmdLoad_, &QPushButton::clicked, this, &FrmSiteSelector::onLoad);
    connect(cmdCancel_, &QPushButton::clicked, this, &FrmSiteSelector::reject);
    connect(cmdDirSelect_, &QPushButton::clicked, this, &FrmSiteSelector::onBrowse);
    connect(command1_, &QPushButton::clicked, this, &FrmSiteSelector::onHelp);
    FrmHelp::AddHelpKey(*this, kImportHelp);
}

void FrmSiteSelector::buildControls()
{
    setWindowTitle(QStringLiteral("Import site"));
    setFixedSize(Twips::toPixelsX(kClientWidth, this), Twips::toPixelsY(kClientHeight, this));
    siteList_->setObjectName(QStringLiteral("SiteList"));
    siteList_->setSelectionMode(QAbstractItemView::SingleSelection);
    ModFunc::PlaceInTwips(siteList_, 60, 60, 2775, 5295);
    cmdDirSelect_->setObjectName(QStringLiteral("CmdDirSelect"));
    cmdDirSelect_->setText(QStringLiteral("&Browse..."));
    ModFunc::PlaceInTwips(cmdDirSelect_, 2940, 1080, 1155, 315);
    cmdCancel_->setObjectName(QStringLiteral("CmdCancel"));
    cmdCancel_->setText(QStringLiteral("&Cancel"));
    ModFunc::PlaceInTwips(cmdCancel_, 2940, 480, 1155, 315);
    cmdLoad_->setObjectName(QStringLiteral("CmdLoad"));
    cmdLoad_->setText(QStringLiteral("&Open"));
    cmdLoad_->setDefault(true);
    cmdLoad_->setEnabled(false);
    ModFunc::PlaceInTwips(cmdLoad_, 2940, 60, 1155, 315);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setText(QStringLiteral("&Help..."));
    ModFunc::PlaceInTwips(command1_, 2940, 5040, 1155, 315);
    setTabOrder(siteList_, cmdDirSelect_);
    setTabOrder(cmdDirSelect_, cmdCancel_);
    setTabOrder(cmdCancel_, cmdLoad_);
    setTabOrder(cmdLoad_, command1_);
}

void FrmSiteSelector::ShowOpen()
{
    ModFunc::CentreForm(this);
    RefreshSiteList();
    siteList_->setFocus();
    exec();
}

QString FrmSiteSelector::CrvSiteName() const
{
    return selectedSite().SiteName;
}

QString FrmSiteSelector::CrvCfgDir() const
{
    return selectedSite().SiteDir;
}

const SiteInfoRecord& FrmSiteSelector::selectedSite() const
{
    const int index = ModFunc::SelectedItemData(*siteList_);
    return index > 0 && index < sites_.size() ? sites_[index] : sites_[0];
}

void FrmSiteSelector::RefreshSiteList()
{
    const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(ModGlobal::dirs.crvPath);
    for (const MessageRequest& failure : scan.failures)
        Dialogs::current().showMessage(failure);
    sites_ = scan.sites;
    ModCrvFunc::FillSiteList(*siteList_, sites_);
    if (siteList_->count() == 0) {
        siteList_->addItem(QStringLiteral("[No sites found]"));
        siteList_->item(0)->setData(Qt::UserRole, 0);
    } else {
        siteList_->setCurrentRow(0);
    }
    onSiteListClick();
}

void FrmSiteSelector::onSiteListClick()
{
    if (siteList_->selectedItems().isEmpty())
        cmdLoad_->setEnabled(false);
    else if (ModFunc::SelectedItemData(*siteList_) > 0)
        cmdLoad_->setEnabled(true);
}

void FrmSiteSelector::onLoad()
{
    if (!cmdLoad_->isEnabled())
        return;
    buttonPressed_ = ChosenSite::Button::Load;
    accept();
}

void FrmSiteSelector::reject()
{
    if (!closingByBox_)
        buttonPressed_ = ChosenSite::Button::Cancel;
    QDialog::reject();
}

void FrmSiteSelector::closeEvent(QCloseEvent* event)
{
    // Closing the window drops the list, as unloading it would.
    closingByBox_ = true;
    sites_ = {SiteInfoRecord{}};
    siteList_->clear();
    QDialog::closeEvent(event);
    closingByBox_ = false;
}

void FrmSiteSelector::onBrowse()
{
    const auto back = qScopeGuard([this] { backToList(); });
    FrmFileSelector selector(this);
    selector.ShowSelectDirectory(ModGlobal::dirs.crvPath);
    if (selector.ButtonPressed() != QLatin1String("Open"))
        return;
    ModGlobal::dirs.crvPath = selector.Path();
    RefreshSiteList();
}

void FrmSiteSelector::onHelp()
{
    const auto back = qScopeGuard([this] { backToList(); });
    FrmHelp help;
    help.ShowHelp(kImportHelp);
}

// Back from Browse... or Help..., Enter opens the highlighted site again, not the button.
void FrmSiteSelector::backToList()
{
    siteList_->setFocus();
    cmdLoad_->setDefault(true);
}
