#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

// Drives modal windows from a test: each step waits until the top modal window is of the
// given class, then runs on it from a fresh timer, so a step may open a nested modal window.
// A window still open when the time is up is closed and counted as a failure.
class ModalDriver : public QObject
{
public:
    explicit ModalDriver(int timeoutMs = 60000)
    {
        poll_.setInterval(5);
        connect(&poll_, &QTimer::timeout, this, &ModalDriver::runDueStep);
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(timeoutMs);
        connect(&watchdog_, &QTimer::timeout, this, &ModalDriver::giveUp);
    }

    // Queues a step for the next modal window that inherits `className`.
    void when(const char* className, std::function<void(QWidget*)> step)
    {
        steps_.push_back({className, std::move(step)});
        poll_.start();
        watchdog_.start();
    }

    // True when every step ran and no window had to be closed by force.
    bool finished() const { return steps_.empty() && !timedOut_; }

private:
    struct Step
    {
        const char* className;
        std::function<void(QWidget*)> action;
    };

    void runDueStep()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (steps_.empty() || !modal || !modal->isVisible() ||
            !modal->inherits(steps_.front().className))
            return;
        auto action = std::move(steps_.front().action);
        steps_.pop_front();
        if (steps_.empty())
            poll_.stop();
        QTimer::singleShot(0, modal, [action = std::move(action), modal] { action(modal); });
    }

    void giveUp()
    {
        poll_.stop();
        timedOut_ = !steps_.empty() || QApplication::activeModalWidget();
        for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i)
            QApplication::activeModalWidget()->close();
    }

    QTimer poll_;
    QTimer watchdog_;
    std::deque<Step> steps_;
    bool timedOut_ = false;
};
