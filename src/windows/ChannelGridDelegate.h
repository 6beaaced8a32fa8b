#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

// Edits the grid's cells: relay names take at most 16 characters, as the channel file holds.
// Keeps the open editor so the window can end an edit from outside (FinishEdit).
class ChannelGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Commits the value of the open editor, if any, and closes it.
    void finishEdit();

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    mutable QPointer<QWidget> editor_;
};
