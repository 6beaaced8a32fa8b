#include "EditorTiming.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace EditorTiming {

double nowNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

PaintCounter::PaintCounter(QWidget* widget) : QObject(widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++paints_;
    return false;
}

bool waitForPaint(const PaintCounter& counter, int before)
{
    QElapsedTimer waited;
    waited.start();
    while (counter.paints() <= before) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (waited.elapsed() > 5000)
            return false;
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace EditorTiming
