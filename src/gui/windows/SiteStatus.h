#pragma once

#include <QObject>

class ChannelTableModel;
class QLabel;
class QStatusBar;

// The status bar's account of the site: channels in use and on back contacts, and a warning
// for relay names the channel file would store with "?". It follows every change of the table.
class SiteStatus : public QObject
{
    Q_OBJECT

public:
    SiteStatus(QStatusBar& bar, const ChannelTableModel& table);

    // The warning and the counts as one text.
    QString text() const;
    // A passing note, shown for a few seconds.
    void showNote(const QString& note);

private:
    void update();

    QStatusBar& bar_;
    const ChannelTableModel& table_;
    QLabel* channels_;
    QLabel* warning_;
};
