#pragma once

#include <QObject>
#include <QTimer>

class ChannelTableModel;
class ElidedLabel;
class QLabel;
class QStatusBar;

// The status bar's account of the site. On the right: channels in use and on back contacts,
// a warning for texts the channel file would cut or write with "?", and the fingerprint of the
// channel file the site saves as; it follows every change of the table; beside them, while
// copies for recovery cannot be written, a warning saying so. On the left: the unit and card of
// the current cell, or for a few seconds a note. One line, whatever the texts: each is cut where
// its room ends, whole in its tooltip.
class SiteStatus : public QObject
{
    Q_OBJECT

public:
    SiteStatus(QStatusBar& bar, const ChannelTableModel& table);

    // The warning and the counts as one text.
    QString text() const;
    // The text on the left: a note while it shows, else the place of the current cell.
    QString leftText() const;
    // A passing note.
    void showNote(const QString& note);
    // The current cell's row: "Unit A, card B: AB01-AB48".
    void showPosition(int row);
    // The problems found and, while a site is compared (differences 0 or more), the
    // differences.
    void showChecks(int problems, int differences);
    // Says, until called with an empty text, that recovery copies cannot be written and why.
    void showRecoveryFailure(const QString& failure);

private:
    void update();
    void showLeft(const QString& text);

    const ChannelTableModel& table_;
    ElidedLabel* left_;
    ElidedLabel* channels_;
    ElidedLabel* warning_;
    ElidedLabel* recovery_;
    ElidedLabel* checks_;
    QLabel* fingerprint_;
    QString position_;
    QTimer noteTimer_;
};
