#include "ChannelGridDelegate.h"

#include "document/ChannelTableModel.h"

#include <QLineEdit>

QWidget* ChannelGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line && index.column() == ChannelTableModel::ColRelNam)
        line->setMaxLength(kRelayNameLimit);
    editor_ = editor;
    return editor;
}

void ChannelGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor_ == editor)
        editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void ChannelGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Names that would reach the channel file with "?" in them are marked.
    if (index.data(ChannelTableModel::UnencodableRole).toBool())
        option->backgroundBrush = QColor(kUnencodableMark);
}

void ChannelGridDelegate::finishEdit()
{
    if (!editor_)
        return;
    QWidget* editor = editor_;
    editor_ = nullptr;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}
