#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

// Edits and draws the grid's cells: relay names take at most 16 characters and state texts 3,
// as the channel file holds them; texts the file would cut or alter are marked; a line ends
// each card of 48 channels and a stronger one each unit of 384; the current cell is framed.
// Keeps the open editor so the window can end an edit from outside (FinishEdit).
class ChannelGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The background of a text the channel file would cut or write with "?".
    static constexpr QRgb kAlteredMark = qRgb(255, 214, 190);
    // The background of a cell that differs from the site compared with.
    static constexpr QRgb kDifferenceMark = qRgb(190, 220, 255);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // A line break pasted into the editor is taken as a space: a cell holds one line.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // Forgets the editor when the view closes it, so that finishEdit does not commit it again.
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A text cut off in its cell shows whole in the tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Commits the value of the open editor, if any, and closes it.
    void finishEdit();

signals:
    // Enter (up: Shift+Enter) committed an edit; the view moves on as a spreadsheet does.
    void enterPressed(bool up);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QWidget> editor_;
};
