#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class ChannelGridView;
class CheckCommands;
class CheckPanels;
class ChannelTableModel;
class DocumentCommands;
class FindBar;
class PrintCommands;
class GridEditing;
class QComboBox;
class QToolBar;
class RecentFilesMenu;
class SitePrinting;
class SiteRecovery;
class SiteStatus;
class WindowGeometry;
struct ChosenSite;
struct MainActions;

// The editor's main window: the grid over the channel table, the channel-count selector,
// the menus and the toolbar. It wires user actions to the document commands.
class FrmDips : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmDips(QWidget* parent = nullptr);
    ~FrmDips() override;

    ChannelTableModel& table() const { return *table_; }
    DocumentCommands& commands() const { return *commands_; }
    CheckCommands& checks() const { return *checks_; }
    CheckPanels& panels() const { return *panels_; }
    ChannelGridView* grid() const { return grid_; }
    QComboBox* channelCountSelector() const { return cmbNoChans_; }
    FindBar* findBar() const { return findBar_; }
    QString statusText() const;
    SiteRecovery& recovery() const { return *recovery_; }
    PrintCommands& printCommands() const { return *printCommands_; }
    SitePrinting& printing() const { return *printing_; }

    // Runs the command of a toolbar key ("New", "Open", ...); any other key does nothing.
    void onToolbarButton(const QString& key);
    // Ends the cell edit in progress so that its value is in the table.
    void FinishEdit();

    // Replaces how Import asks for a site (tests use their own).
    void setSiteChooser(std::function<ChosenSite()> chooser);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    QToolBar* addFixedToolBar(const QString& name);
    void buildViewMenu();
    void buildToolbar();
    void buildChannelCountSelector();
    void buildGrid();
    void connectCommands();
    void connectEditing();
    void FillChannelCountList();
    void findNext(const QString& text);
    void showAbout();
    void onChannelCountSelected(int index);
    void showChoiceSelected(int choice);

    ChannelTableModel* table_;
    DocumentCommands* commands_;
    CheckCommands* checks_;
    PrintCommands* printCommands_;
    CheckPanels* panels_ = nullptr;
    std::unique_ptr<MainActions> actions_;
    ChannelGridView* grid_ = nullptr;
    QComboBox* cmbNoChans_ = nullptr;
    GridEditing* editing_ = nullptr;
    FindBar* findBar_ = nullptr;
    SiteStatus* status_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    WindowGeometry* geometry_ = nullptr;
    SiteRecovery* recovery_ = nullptr;
    SitePrinting* printing_ = nullptr;
    bool ignoreComboClick_ = false;
};
