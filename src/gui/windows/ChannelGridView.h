#pragma once

#include <QTableView>

class ChannelGridDelegate;

// The channel grid, keyed as a spreadsheet: Enter commits and moves down (Shift+Enter up), to
// the column a run of Tabs began in; Tab moves across and on to the next row, typing over a cell
// starts an edit, Ctrl+PgDn and Ctrl+PgUp go to the first channel of the next and the previous
// card. The label column never takes the focus; the relay name column takes the width the other
// columns do not need.
class ChannelGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ChannelGridView(QWidget* parent = nullptr);

    // Ends the cell edit in progress so that its value is in the model.
    void finishEdit();
    // Sizes the columns to the font in use and the width of the grid.
    void fitColumns();
    // The narrowest relay name column: sixteen of the font's widest capitals and digits.
    int relayNameMinimumWidth() const;
    // The width that shows the row header, every column and the vertical scroll bar whole.
    int fittingWidth() const;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool viewportEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void moveRows(int rows);
    void moveToCard(int step);
    int fittedWidth(int column) const;
    void fitHeaderHeight();

    ChannelGridDelegate* delegate_;
    bool tabbing_ = false;
    int tabStartColumn_ = -1;
};
