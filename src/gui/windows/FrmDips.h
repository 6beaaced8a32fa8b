#pragma once

#include <QMainWindow>

#include <functional>

class ChannelGridView;
class ChannelTableModel;
class DocumentCommands;
class FindBar;
class GridEditing;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class UndoHistory;
struct ChosenSite;

// The editor's main window: the grid over the channel table, the channel-count selector,
// the File menu and the toolbar. It wires user actions to the document commands and keeps
// its position and height between runs.
class FrmDips : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmDips(QWidget* parent = nullptr);
    ~FrmDips() override;

    ChannelTableModel& table() const { return *table_; }
    DocumentCommands& commands() const { return *commands_; }
    ChannelGridView* grid() const { return grid_; }
    QComboBox* channelCountSelector() const { return cmbNoChans_; }
    UndoHistory& history() const { return *history_; }
    GridEditing& editing() const { return *editing_; }
    FindBar* findBar() const { return findBar_; }
    QString statusText() const;

    // Runs the command of a toolbar key ("New", "Open", ...); any other key does nothing.
    void onToolbarButton(const QString& key);
    // Ends the cell edit in progress so that its value is in the table.
    void FinishEdit();

    // Replaces how Import asks for a site and how Labels exports (tests use their own).
    void setSiteChooser(std::function<ChosenSite()> chooser);
    void setLabelExport(std::function<void()> exportLabels)
    {
        exportLabels_ = std::move(exportLabels);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildEditMenu();
    void buildHelpMenu();
    void buildStatusBar();
    void updateStatus();
    void showRecentFiles(const QStringList& files);
    void findNext(const QString& text);
    void showAbout();
    void buildToolbar();
    void buildChannelCountSelector();
    void buildGrid();
    void FillChannelCountList();
    void placeFromSettings();
    void storeGeometry();
    void applyOuterSize();
    void applyOuterSizeOnceFramed();
    void onChannelCountSelected(int index);
    void showChoiceSelected(int choice);

    ChannelTableModel* table_;
    DocumentCommands* commands_;
    ChannelGridView* grid_ = nullptr;
    QComboBox* cmbNoChans_ = nullptr;
    QToolBar* toolbar1_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_; // with their separator
    UndoHistory* history_ = nullptr;
    GridEditing* editing_ = nullptr;
    FindBar* findBar_ = nullptr;
    QLabel* statusChannels_ = nullptr;
    QLabel* statusWarning_ = nullptr;
    bool ignoreComboClick_ = false;
    bool shownOnce_ = false;
    bool framed_ = false;
    int outerHeight_ = 0;
    std::function<void()> exportLabels_;
};
