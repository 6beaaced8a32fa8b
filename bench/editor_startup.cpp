// Times the editor as a user meets it: from the start of the process to the main window on
// screen, the open of a 3072-channel site including the grid's repaint, and the peak memory
// with that site open. Prints one JSON object. Run offscreen (QT_QPA_PLATFORM=offscreen);
// the launch time comes from ZR415_LAUNCH_NS (nanoseconds of the real-time clock, taken by
// the caller just before it starts the program), else from the process's start in /proc.

#include "BenchSite.h"
#include "NullDialogs.h"
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kChannels = 3072;
constexpr int kOpens = 15;

double nowNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// Nanoseconds since the process was started, by the clock that fits the source.
struct LaunchClock
{
    clockid_t clock = CLOCK_REALTIME;
    double launchedNs = 0;
    const char* source = "launch-env";

    double sinceLaunchMs() const { return (nowNs(clock) - launchedNs) / 1e6; }
};

LaunchClock launchClock()
{
    LaunchClock result;
    if (const char* given = std::getenv("ZR415_LAUNCH_NS")) {
        result.launchedNs = std::strtod(given, nullptr);
        return result;
    }
    // Field 22 of /proc/self/stat: the start in clock ticks after boot (10 ms steps).
    result.clock = CLOCK_BOOTTIME;
    result.source = "proc-stat";
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return result;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.size() > 19 ? fields[19].toDouble() : 0;
    result.launchedNs = ticks / double(sysconf(_SC_CLK_TCK)) * 1e9;
    return result;
}

// Peak and current resident memory from /proc/self/status, in MB.
double statusMegabytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Counts the grid's paints, so a measurement can wait for the repaint it caused.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int paints() const { return paints_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return false;
    }

private:
    int paints_ = 0;
};

// Runs the event loop until the grid has painted after `before`; false after 5 s.
bool waitForPaint(const PaintCounter& counter, int before)
{
    QElapsedTimer waited;
    waited.start();
    while (counter.paints() <= before) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (waited.elapsed() > 5000)
            return false;
    }
    // What the paint queued (the flush of the backing store) belongs to the refresh as well.
    QCoreApplication::processEvents();
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    const LaunchClock clock = launchClock();
    const double mainEnteredMs = clock.sinceLaunchMs();

    // A fresh settings store: the user's own neither shapes the figures nor gets changed.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    const double applicationMs = clock.sinceLaunchMs();
    NullDialogs dialogs;

    FrmDips window;
    const double constructedMs = clock.sinceLaunchMs();
    const PaintCounter counter(window.grid()->viewport());
    window.show();
    if (!waitForPaint(counter, 0)) {
        std::fprintf(stderr, "the window was never painted\n");
        return 1;
    }
    const double shownMs = clock.sinceLaunchMs();
    const double shownRssMb = statusMegabytes("VmHWM:");

    const QString dip = QDir(scratch.path()).filePath(QStringLiteral("site3072.dip"));
    {
        ChannelTableModel site;
        BenchSite::Fill(site, kChannels);
        if (!SaveDipFile(site, dip))
            return 1;
    }
    std::vector<double> opens;
    for (int i = 0; i < kOpens; ++i) {
        const int before = counter.paints();
        QElapsedTimer timer;
        timer.start();
        if (!window.commands().openPath(dip) || !waitForPaint(counter, before)) {
            std::fprintf(stderr, "opening %s failed\n", qPrintable(dip));
            return 1;
        }
        opens.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (window.table().channelCount() != kChannels || dialogs.questions() > 0) {
        std::fprintf(stderr, "the site did not open as expected\n");
        return 1;
    }

    std::printf("{\"launch_clock\": \"%s\", \"main_entered_ms\": %.2f, "
                "\"application_ms\": %.2f, \"window_constructed_ms\": %.2f, "
                "\"window_shown_ms\": %.2f, \"rss_at_shown_mb\": %.2f, \"channels\": %d, "
                "\"open_first_ms\": %.3f, \"open_median_ms\": %.3f, \"opens\": %d, "
                "\"peak_rss_mb\": %.2f}\n",
                clock.source, mainEnteredMs, applicationMs, constructedMs, shownMs, shownRssMb,
                kChannels, opens.front(), median(opens), kOpens, statusMegabytes("VmHWM:"));
    return 0;
}
