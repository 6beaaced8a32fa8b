#include "ChannelTableModel.h"

#include "ChannelStatistics.h"
#include "common/ChannelLabel.h"

#include <algorithm>

ChannelTableModel::ChannelTableModel(QObject* parent) : QAbstractTableModel(parent)
{
    connect(this, &QAbstractItemModel::dataChanged, this, [this] {
        if (!marking_)
            emit siteDataChanged();
    });
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : channelCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ChannelTableModel::label(int row) const
{
    return ModFunc::ChannelLabel(row + 1);
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ChannelRow& row = rows_[index.row()];
    if (role == AlteredByFileRole)
        return fileNote(index, role);
    if (role == Qt::ToolTipRole) {
        const QString tip = toolTip(index);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (index.column() == ColBack && role == Qt::CheckStateRole)
        return row.back ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::AccessibleTextRole)
        return accessibleText(index);
    if (index.column() == ColBack || (role != Qt::DisplayRole && role != Qt::EditRole))
        return mark(index, role);
    switch (index.column()) {
    case ColChan:
        return label(index.row());
    case ColRelNam:
        return row.relNam;
    case ColStUp:
        return row.stUp;
    case ColStDn:
        return row.stDn;
    }
    return {};
}

// What a screen reader says of a cell: "AB07, Relay name, TPR 12".
QString ChannelTableModel::accessibleText(const QModelIndex& index) const
{
    const QString value =
        index.column() == ColBack
            ? (rows_[index.row()].back ? QStringLiteral("Back") : QStringLiteral("Front"))
            : data(index, Qt::DisplayRole).toString();
    if (index.column() == ColChan)
        return value;
    return label(index.row()) + QStringLiteral(", ") + ColumnCaption(index.column()) +
           QStringLiteral(", ") + value;
}

// What the channel file would make of a text that it cannot hold as it is.
QVariant ChannelTableModel::fileNote(const QModelIndex& index, int role) const
{
    const ChannelRow& row = rows_[index.row()];
    const QString* text = index.column() == ColRelNam ? &row.relNam
                          : index.column() == ColStUp ? &row.stUp
                          : index.column() == ColStDn ? &row.stDn
                                                      : nullptr;
    const int limit = index.column() == ColRelNam ? kRelayNameLimit : kStateTextLimit;
    if (!text || !ChannelStatistics::isAlteredByFile(*text, limit))
        return {};
    if (role == AlteredByFileRole)
        return true;
    if (text->size() > limit)
        return QStringLiteral("The channel file holds the first %1 characters: \"%2\"")
            .arg(limit)
            .arg(text->left(limit));
    return QStringLiteral("Characters the channel file cannot hold are written as \"?\".");
}

QVariant ChannelTableModel::mark(const QModelIndex& index, int role) const
{
    return marks_ ? marks_(index.row(), index.column(), role) : QVariant();
}

QString ChannelTableModel::toolTip(const QModelIndex& index) const
{
    QStringList lines;
    for (const QVariant& line : {fileNote(index, Qt::ToolTipRole), mark(index, Qt::ToolTipRole)}) {
        if (line.isValid())
            lines.append(line.toString());
    }
    return lines.join(u'\n');
}

void ChannelTableModel::marksChanged(const QList<int>& roles)
{
    if (rows_.isEmpty())
        return;
    marking_ = true;
    emit dataChanged(index(0, 0), index(channelCount() - 1, ColumnCount - 1), roles);
    marking_ = false;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int column = index.column();
    const bool checkColumn = column == ColBack;
    if (column == ColChan || role != (checkColumn ? Qt::CheckStateRole : Qt::EditRole))
        return false;
    ChannelRow edited = rows_[index.row()];
    if (column == ColRelNam)
        edited.relNam = value.toString().left(kRelayNameLimit);
    else if (column == ColBack)
        edited.back = value.value<Qt::CheckState>() == Qt::Checked;
    else if (column == ColStUp)
        edited.stUp = value.toString().left(kStateTextLimit);
    else
        edited.stDn = value.toString().left(kStateTextLimit);
    if (edited == rows_[index.row()])
        return true;
    if (userEditHandler_)
        userEditHandler_({{index.row(), rows_[index.row()]}}, {{index.row(), edited}});
    else
        applyUserRows({{index.row(), edited}});
    return true;
}

void ChannelTableModel::applyUserRows(const QList<RowChange>& changes)
{
    int first = channelCount();
    int last = -1;
    for (const auto& [row, value] : changes) {
        if (!hasRow(row))
            continue;
        rows_[row] = value;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last >= 0)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    switch (index.column()) {
    case ColChan:
        return Qt::ItemIsEnabled;
    case ColBack:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    default:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return ColumnCaption(section);
}

void ChannelTableModel::replaceRows(ChannelRows rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ChannelTableModel::FillDefaultRows(int firstRow)
{
    for (int row = std::max(firstRow, 0); row < channelCount(); ++row)
        rows_[row] = DefaultRow(row + 1);
    if (firstRow < channelCount())
        emit dataChanged(index(std::max(firstRow, 0), 0),
                         index(channelCount() - 1, ColumnCount - 1));
}

void ChannelTableModel::resizeTo(int channels)
{
    const int old = channelCount();
    if (channels > old) {
        beginInsertRows({}, old, channels - 1);
        AppendDefaultRows(rows_, channels);
        endInsertRows();
    } else if (channels < old) {
        beginRemoveRows({}, channels, old - 1);
        rows_.resize(channels);
        endRemoveRows();
    }
}
