#pragma once

#include "SiteComparison.h"

#include <QAbstractTableModel>

// The differences of a comparison as a list of lines (channel, column, this site, the other
// site); each field is made when a view asks for it, so thousands of lines fill at once.
class DifferenceListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setComparison(SiteComparison comparison);
    const SiteComparison& comparison() const { return comparison_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    SiteComparison comparison_;
};
