#pragma once

#include <QObject>

#include <ctime>
#include <vector>

class QWidget;

// Timing the editor as a user meets it: until the grid has painted what an action changed.
namespace EditorTiming {

// Nanoseconds by the clock: CLOCK_MONOTONIC for the wall, CLOCK_PROCESS_CPUTIME_ID for what the
// process itself spent.
double nowNs(clockid_t clock);

double median(std::vector<double> values);

// Counts a widget's paints, so a measurement can wait for the repaint it caused.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget);
    int paints() const { return paints_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int paints_ = 0;
};

// Runs the event loop until the widget has painted after `before` paints, and then what that
// paint queued (the flush of the backing store); false after 5 s.
bool waitForPaint(const PaintCounter& counter, int before);

} // namespace EditorTiming
