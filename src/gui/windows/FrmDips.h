#pragma once

#include <QMainWindow>

#include <memory>
#include <utility>

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
struct MainActions;

// The editor's main window: the grid over the channel table, the channel-count selector,
// the menus and the toolbar. It wires user actions to the document commands.
class FrmDips : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmDips(QWidget* parent = nullptr);
    ~FrmDips() override;

    // Once the window is up: offers what an editor that ended without closing left, then opens
    // the channel file or list named on the command line.
    void start(const QStringList& files);
    // Ends the cell edit in progress so that its value is in the table.
    void FinishEdit();

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
    void showCaption();
    void keepCurrentCell(int row, int column);
    void onChannelCountSelected(int index);
    // The selector shows the choice of the table's size, whatever changed it.
    void showChannelCount();

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
    std::pair<int, int> cellBeforeReset_{-1, -1};
};
