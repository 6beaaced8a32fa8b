#include "DifferenceListModel.h"

void DifferenceListModel::setComparison(SiteComparison comparison)
{
    beginResetModel();
    comparison_ = std::move(comparison);
    endResetModel();
}

int DifferenceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : comparison_.count();
}

int DifferenceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kDifferenceFields;
}

QVariant DifferenceListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return DifferenceText(comparison_, index.row(), DifferenceField(index.column()));
}

QVariant DifferenceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QString captions[kDifferenceFields] = {
        QStringLiteral("Channel"), QStringLiteral("Column"), QStringLiteral("This site"),
        QStringLiteral("Other site")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kDifferenceFields)
        return {};
    return captions[section];
}
