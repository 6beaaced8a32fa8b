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
    enum Column { ColChan, ColRelNam, ColBack, ColStUp, ColStDn, ColumnCount };
    enum FillMode { FillAddedRows = 2, FillAllRows = 4 };

    // True for a text the channel file would cut or write with "?" in it.
    static constexpr int AlteredByFileRole = Qt::UserRole + 1;
    // The other site's text of a cell that differs from it, while a site is compared.
    static constexpr int OtherValueRole = Qt::UserRole + 2;

    explicit ChannelTableModel(QObject* parent = nullptr);

    // "Chan", "Relay name", "Back contact", "State up", "State down".
    static QString columnCaption(int column);

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

    // Puts a read site in place of the rows, shown by one reset; the selector follows its size.
    void replaceRows(ChannelRows rows);

    using RowChange = std::pair<int, ChannelRow>;
    // Writes rows the user changed (an edit, a paste, an undo) and shows them at once.
    void applyUserRows(const QList<RowChange>& changes);
    // When set, edits through a view are handed here instead of being applied, so that they
    // become undoable; the handler applies them with applyUserRows.
    using UserEditHandler =
        std::function<void(const QList<RowChange>& before, const QList<RowChange>& after)>;
    void setUserEditHandler(UserEditHandler handler) { userEditHandler_ = std::move(handler); }

    // Sizes the table to the smallest choice that holds the request (3072 at most) and selects
    // it. Answers false, after "Error setting no of channels.", for a request of 0 or less; the
    // table is then unchanged.
    bool SetChannelCount(int requested, int fillMode);
    // Puts every row from firstRow on back to its defaults.
    void FillDefaultRows(int firstRow);
    // Grows with default rows or drops rows from the end; kept rows keep their values.
    void resizeTo(int channels);

    // Compares the rows with another site's, cell by cell, until cleared; state texts only
    // when `states`. Only the marks change: the other site's value and the tooltip.
    void setOtherSite(const ChannelRows& other, bool states);
    void clearOtherSite();
    bool comparing() const { return comparing_; }
    const ChannelRows& otherRows() const { return other_; }
    bool otherStates() const { return otherStates_; }

    int selectedChoice() const { return selectedChoice_; }
    void selectChoice(int choice);

signals:
    // The program selected this channel-count choice; the selector follows it.
    void choiceSelected(int choice);
    // Cells of the site changed: dataChanged, but not for the marks of a comparison alone.
    void siteDataChanged();

private:
    QVariant fileNote(const QModelIndex& index, int role) const;
    QVariant otherValue(const QModelIndex& index) const;
    void markOtherSite();
    QString toolTip(const QModelIndex& index) const;

    ChannelRows rows_;
    int selectedChoice_ = -1;
    bool comparing_ = false;
    ChannelRows other_;
    bool otherStates_ = false;
    UserEditHandler userEditHandler_;
};
