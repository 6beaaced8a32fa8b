#pragma once

#include "ChannelRow.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>
#include <utility>

// The open site's channel list: one row per channel, always a whole number of 384-channel
// units. A read site comes in whole (replaceRows, one reset); the user's edits come through a
// view (setData) and go to the undo history when one is attached.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns by the names the table's users know them (ChannelRow.h holds them).
    static constexpr ChannelColumn ColChan = ChannelColumn::ColChan;
    static constexpr ChannelColumn ColRelNam = ChannelColumn::ColRelNam;
    static constexpr ChannelColumn ColBack = ChannelColumn::ColBack;
    static constexpr ChannelColumn ColStUp = ChannelColumn::ColStUp;
    static constexpr ChannelColumn ColStDn = ChannelColumn::ColStDn;
    static constexpr ChannelColumn ColumnCount = ChannelColumn::ColumnCount;

    // True for a text the channel file would cut or write with "?" in it.
    static constexpr int AlteredByFileRole = Qt::UserRole + 1;

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
    const ChannelRows& rows() const { return rows_; }
    QString label(int row) const;

    // Puts a read site in place of the rows, shown by one reset.
    void replaceRows(ChannelRows rows);

    using RowChange = std::pair<int, ChannelRow>;
    // Writes rows the user changed (an edit, a paste, an undo) and shows them at once.
    void applyUserRows(const QList<RowChange>& changes);
    // When set, edits through a view are handed here instead of being applied, so that they
    // become undoable; the handler applies them with applyUserRows.
    using UserEditHandler =
        std::function<void(const QList<RowChange>& before, const QList<RowChange>& after)>;
    void setUserEditHandler(UserEditHandler handler) { userEditHandler_ = std::move(handler); }

    // Puts every row from firstRow on back to its defaults.
    void FillDefaultRows(int firstRow);
    // Grows with default rows or drops rows from the end; kept rows keep their values.
    void resizeTo(int channels);

    // What another part of the program lays over the cells (a comparison's marks): asked for
    // the roles the table does not answer, and for a line of the tooltip.
    using CellMarks = std::function<QVariant(int row, int column, int role)>;
    void setCellMarks(CellMarks marks) { marks_ = std::move(marks); }
    // The marks of every cell may have changed; the cells themselves did not.
    void marksChanged(const QList<int>& roles);

signals:
    // Cells of the site changed: dataChanged, but not for the marks alone.
    void siteDataChanged();

private:
    QString accessibleText(const QModelIndex& index) const;
    QVariant fileNote(const QModelIndex& index, int role) const;
    QVariant mark(const QModelIndex& index, int role) const;
    QString toolTip(const QModelIndex& index) const;

    ChannelRows rows_;
    CellMarks marks_;
    bool marking_ = false;
    UserEditHandler userEditHandler_;
};
