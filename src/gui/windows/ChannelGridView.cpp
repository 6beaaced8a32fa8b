#include "ChannelGridView.h"

#include "ChannelGridDelegate.h"
#include "document/ChannelTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

constexpr int kCardChannels = 48;

// The widest word of a header text, which may wrap at its spaces.
int widestWord(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& word : text.split(u' '))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

ChannelGridView::ChannelGridView(QWidget* parent)
    : QTableView(parent), delegate_(new ChannelGridDelegate(this))
{
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) |
                                            Qt::Alignment(Qt::TextWordWrap));
    connect(delegate_, &ChannelGridDelegate::enterPressed, this,
            [this](bool up) { moveRows(up ? -1 : 1); });
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
    // Enter after a run of Tabs goes back to the column the run began in.
    if (!tabbing_)
        tabStartColumn_ = -1;
    else if (tabStartColumn_ < 0 && previous.isValid())
        tabStartColumn_ = previous.column();
    tabbing_ = false;
    QTableView::currentChanged(current, previous);
}

// Tab past the last column goes on at the first of the next row, Shift+Tab back; the label
// column is passed over.
QModelIndex ChannelGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || (action != MoveNext && action != MovePrevious))
        return QTableView::moveCursor(action, modifiers);
    const int last = ChannelTableModel::ColumnCount - 1;
    const int first = ChannelTableModel::ColRelNam;
    int row = current.row();
    int column = current.column() + (action == MoveNext ? 1 : -1);
    if (column > last && row + 1 < model()->rowCount()) {
        ++row;
        column = first;
    } else if (column < first && row > 0) {
        --row;
        column = last;
    }
    tabbing_ = true;
    return current.sibling(row, std::clamp(column, first, last));
}

void ChannelGridView::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (isEnter(event) && state() != EditingState) {
        moveRows(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    }
    if (control && (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
        moveToCard(event->key() == Qt::Key_PageDown ? 1 : -1);
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelGridView::moveRows(int rows)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int row = std::clamp(current.row() + rows, 0, model()->rowCount() - 1);
    const int column = tabStartColumn_ >= 0 ? tabStartColumn_ : current.column();
    setCurrentIndex(current.sibling(row, column));
}

// The first channel of the next or the previous card, in the same column.
void ChannelGridView::moveToCard(int step)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int card = current.row() / kCardChannels;
    const bool atCardStart = current.row() % kCardChannels == 0;
    const int target = step > 0 ? card + 1 : (atCardStart ? card - 1 : card);
    const int row = std::clamp(target * kCardChannels, 0, model()->rowCount() - 1);
    const QModelIndex cell = current.sibling(row, current.column());
    setCurrentIndex(cell);
    scrollTo(cell, QAbstractItemView::PositionAtTop);
}

int ChannelGridView::relayNameMinimumWidth() const
{
    int widest = 0;
    for (char c = 'A'; c <= 'Z'; ++c)
        widest = std::max(widest, fontMetrics().horizontalAdvance(QLatin1Char(c)));
    for (char c = '0'; c <= '9'; ++c)
        widest = std::max(widest, fontMetrics().horizontalAdvance(QLatin1Char(c)));
    return kRelayNameLimit * widest + fittedWidth(-1);
}

// A column as wide as its header's widest word and three characters (for the label, its four),
// plus the margins; with -1, the margins alone.
int ChannelGridView::fittedWidth(int column) const
{
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2);
    if (column < 0 || !model())
        return margins;
    const QString header = model()->headerData(column, Qt::Horizontal).toString();
    const QString sample =
        column == ChannelTableModel::ColChan ? QStringLiteral("HH48") : QStringLiteral("WWW");
    return std::max(widestWord(horizontalHeader()->fontMetrics(), header),
                    fontMetrics().horizontalAdvance(sample)) +
           margins;
}

int ChannelGridView::fittingWidth() const
{
    int width = 2 * frameWidth() + verticalHeader()->width() +
                verticalScrollBar()->sizeHint().width() + relayNameMinimumWidth();
    for (int column = 0; model() && column < ChannelTableModel::ColumnCount; ++column) {
        if (column != ChannelTableModel::ColRelNam)
            width += fittedWidth(column);
    }
    return width;
}

void ChannelGridView::fitColumns()
{
    if (!model())
        return;
    // The window takes this as the least width it may be fixed to.
    setMinimumWidth(fittingWidth());
    int others = 0;
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column) {
        if (column == ChannelTableModel::ColRelNam)
            continue;
        setColumnWidth(column, fittedWidth(column));
        others += columnWidth(column);
    }
    setColumnWidth(ChannelTableModel::ColRelNam,
                   std::max(viewport()->width() - others, relayNameMinimumWidth()));
    fitHeaderHeight();
}

// Two lines where a header's text wraps in its narrow column.
void ChannelGridView::fitHeaderHeight()
{
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    int lines = 1;
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column) {
        const QString header = model()->headerData(column, Qt::Horizontal).toString();
        if (metrics.horizontalAdvance(header) + fittedWidth(-1) > columnWidth(column))
            lines = 2;
    }
    horizontalHeader()->setMinimumHeight(lines * metrics.height() + fittedWidth(-1) / 2);
}

// The viewport changes its width with the window and when a scroll bar comes or goes.
bool ChannelGridView::viewportEvent(QEvent* event)
{
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitColumns();
    return handled;
}

bool ChannelGridView::event(QEvent* event)
{
    const bool handled = QTableView::event(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitColumns();
    return handled;
}
