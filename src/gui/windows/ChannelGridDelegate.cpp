#include "ChannelGridDelegate.h"

#include "commands/ComparisonMarks.h"
#include "common/LineBreaks.h"
#include "document/ChannelTableModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kCardChannels = 48;
constexpr int kUnitChannels = 384;

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The line under the last channel of a card, and a stronger one under a unit's last.
void drawCardEnd(QPainter* painter, const QRect& cell, int row)
{
    const bool unitEnd = (row + 1) % kUnitChannels == 0;
    if (!unitEnd && (row + 1) % kCardChannels != 0)
        return;
    const int width = unitEnd ? 3 : 2;
    painter->fillRect(QRect(cell.left(), cell.bottom() - width + 1, cell.width(), width),
                      unitEnd ? QColor(20, 20, 20) : QColor(110, 110, 110));
}

} // namespace

QWidget* ChannelGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setMaxLength(index.column() == ChannelTableModel::ColRelNam ? kRelayNameLimit
                                                                          : kStateTextLimit);
    }
    editor_ = editor;
    return editor;
}

void ChannelGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, ModFunc::LineBreaksAsSpaces(line->text()));
    else
        QStyledItemDelegate::setModelData(editor, model, index);
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
    if (index.data(ComparisonMarks::OtherValueRole).isValid())
        option->backgroundBrush = QColor(kDifferenceMark);
    else if (index.data(ChannelTableModel::AlteredByFileRole).toBool())
        option->backgroundBrush = QColor(kAlteredMark);
}

void ChannelGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    // The style's dotted focus line is hard to see; the current cell gets a frame instead.
    QStyleOptionViewItem plain = option;
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
    drawCardEnd(painter, option.rect, index.row());
    if (option.state & QStyle::State_HasFocus) {
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight).darker(140), 2));
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

bool ChannelGridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString note = index.data(Qt::ToolTipRole).toString();
    // The style keeps this margin on either side of an item's text.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1;
    const int room = option.rect.width() - 2 * margin;
    if (event->type() != QEvent::ToolTip || option.fontMetrics.horizontalAdvance(text) <= room)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), note.isEmpty() ? text : text + u'\n' + note, view);
    return true;
}

bool ChannelGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        const bool up = static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit enterPressed(up);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
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
