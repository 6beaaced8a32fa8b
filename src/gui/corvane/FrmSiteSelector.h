#pragma once

#include "commands/ChosenSite.h"
#include "corvane/SiteInfoRecord.h"

#include <QDialog>
#include <QList>

class QListWidget;
class QPushButton;

// The site selector of the Corvane import: lists the sites below the Corvane configuration
// directory (ModGlobal::dirs.crvPath) and answers the one the user chose.
class FrmSiteSelector : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSiteSelector(QWidget* parent = nullptr);

    // Centres the window, lists the sites and shows it modally; returns when Open or Cancel
    // hid it or the user closed it.
    void ShowOpen();
    // Load after Open, Cancel after Cancel or Esc; the close box sets nothing.
    ChosenSite::Button ButtonPressed() const { return buttonPressed_; }
    // Name and directory of the highlighted site; empty when none is, and after the close box.
    QString CrvSiteName() const;
    QString CrvCfgDir() const;
    // Lists the sites found below crvPath again, or the placeholder when there are none.
    void RefreshSiteList();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    const SiteInfoRecord& selectedSite() const;
    void onSiteListClick();
    void onLoad();
    void onBrowse();
    void onHelp();
    void backToList();

    QListWidget* siteList_;
    QPushButton* cmdDirSelect_;
    QPushButton* cmdCancel_;
    QPushButton* cmdLoad_;
    QPushButton* command1_;
    QList<SiteInfoRecord> sites_{SiteInfoRecord{}};
    ChosenSite::Button buttonPressed_ = ChosenSite::Button::None;
    bool closingByBox_ = false;
};
