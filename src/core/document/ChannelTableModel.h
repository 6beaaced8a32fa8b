#pragma once

#include "ChannelRow.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>
#include <utility>

// The site's channel list: one row per channel, always a whole number of 384-channel units.
// Program writes (loaders, importers, fills) change rows silently and are shown once by
// RefreshGrid; only edits through a view (setData) raise cellEdited.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ColChan, ColRelNam, ColBack, ColStUp, ColStDn, ColumnCount };
    enum FillMode { FillAddedRows = 2, FillAllRows = 4 };

    // True for a relay name the channel file cannot hold as it is.
    static constexpr int UnencodableRole = Qt::UserRole + 1;
    static constexpr int kRelayNameLimit = 16;
    static constexpr int kChoiceCount = 8;

    // The eight channel-count choices: entry k holds (k + 1) units.
    static int choiceChannels(int choice);
    static QString choiceText(int choice);
    // The default row of channel n: its label, "Spare " and the label, front, "UP", "DN".
    static ChannelRow defaultRow(int channel);
    static QString spareName(int channel);
    // Gives a loaded row the spare name, shared with the defaults: a row that already shares
    // it is left alone, which spares two reference-count changes a row on reloading a site.
    static void assignSpareName(QString& name, int channel);
    // "This copy of ZR415Config can handle a maximum of N channels."
    static QString maximumChannelsText(int channels);

    explicit ChannelTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int channelCount() const { return int(rows_.size()); }
    bool hasRow(int row) const { return row >= 0 && row < rows_.size(); }
    const ChannelRow& channel(int row) const { return rows_[row]; }
    QString label(int row) const;

    // Program writes; they answer false for a row the table does not have.
    bool setChannel(int row, ChannelRow value);
    bool setRelayName(int row, QString name);
    bool setBackContact(int row, bool back);
    // The row itself, for loaders that write thousands of rows: no copy of a whole row per
    // write. nullptr for a row the table does not have; do not keep it past a resize.
    ChannelRow* writableRow(int row) { return hasRow(row) ? &rows_[row] : nullptr; }
    void RefreshGrid();

    using RowChange = std::pair<int, ChannelRow>;
    // Writes rows the user changed (an edit, a paste, an undo) and shows them at once.
    void applyUserRows(const QList<RowChange>& changes);
    // When set, edits through a view are handed here instead of being applied, so that the
    // editor can make them undoable; the handler applies them with applyUserRows.
    using UserEditHandler =
        std::function<void(const QList<RowChange>& before, const QList<RowChange>& after)>;
    void setUserEditHandler(UserEditHandler handler) { userEditHandler_ = std::move(handler); }
    // True when the relay name holds characters the channel file cannot store.
    static bool hasUnencodableCharacters(const QString& text);

    // Sizes the table to the smallest choice that holds the request (3072 at most) and
    // selects it. Answers false, after "Error setting no of channels.", for a request of
    // 0 or less; the table is then unchanged.
    bool SetChannelCount(int requested, int fillMode);
    // Puts every row from firstRow on back to its defaults, then refreshes.
    void FillDefaultRows(int firstRow);
    // Grows with default rows or drops rows from the end; kept rows keep their values.
    void resizeTo(int channels);

    int selectedChoice() const { return selectedChoice_; }
    void selectChoice(int choice);

signals:
    // The program selected this channel-count choice; the selector follows it.
    void choiceSelected(int choice);
    // The user changed a cell through a view.
    void cellEdited();

private:
    // Every row to its default; the defaults share their texts, so nothing is copied.
    void resetToDefaults(const QList<ChannelRow>& defaults);

    QList<ChannelRow> rows_;
    int selectedChoice_ = -1;
    UserEditHandler userEditHandler_;
};
