#pragma once

#include <QTableView>

class ChannelGridDelegate;

// The channel grid: a table view whose label column never takes the focus.
class ChannelGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ChannelGridView(QWidget* parent = nullptr);

    // Ends the cell edit in progress so that its value is in the model.
    void finishEdit();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    ChannelGridDelegate* delegate_;
};
