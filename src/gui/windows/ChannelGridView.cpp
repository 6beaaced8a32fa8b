#include "ChannelGridView.h"

#include "ChannelGridDelegate.h"
#include "document/ChannelTableModel.h"

ChannelGridView::ChannelGridView(QWidget* parent)
    : QTableView(parent), delegate_(new ChannelGridDelegate(this))
{
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
}

void ChannelGridView::finishEdit()
{
    delegate_->finishEdit();
}

void ChannelGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid() && current.column() == ChannelTableModel::ColChan) {
        setCurrentIndex(current.siblingAtColumn(ChannelTableModel::ColRelNam));
        return;
    }
    QTableView::currentChanged(current, previous);
}
