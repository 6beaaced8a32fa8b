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

    // The background of a relay name the channel file cannot hold as it is.
    static constexpr QRgb kUnencodableMark = qRgb(255, 214, 190);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Forgets the editor when the view closes it, so that finishEdit does not commit it again.
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // Commits the value of the open editor, if any, and closes it.
    void finishEdit();

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    mutable QPointer<QWidget> editor_;
};
