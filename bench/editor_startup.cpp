// Times the editor as a user meets it: from the start of the process to the main window on
// screen, the open of a 3072-channel site including the grid's repaint (a .dip file and a CSV
// list through Open and its file dialog, a Corvane site through Import and its site selector),
// and the peak memory with that site open.
// Prints one JSON object. Run offscreen (QT_QPA_PLATFORM=offscreen); the launch time comes from
// ZR415_LAUNCH_NS (nanoseconds of the real-time clock, taken by the caller just before it starts
// the program), else from the process's start in /proc.

#include "BenchSite.h"
#include "EditorTiming.h"
#include "NullDialogs.h"
#include "commands/DocumentCommands.h"
#include "corvane/ChannelAllocations.h"
#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"
#include "support/WindowParts.h"
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
#include <functional>
#include <optional>
#include <unistd.h>
#include <vector>

using namespace EditorTiming;

namespace {

constexpr int kChannels = 3072;
constexpr int kOpens = 15;

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

struct OpenTimes
{
    double firstMs = 0;
    double medianMs = 0;
    double cpuMedianMs = 0; // what the process itself spent, without waiting for disk or CPU
};

// Runs `open` kOpens times, each timed until the grid has painted what it brought. Every open
// must put the site into the table with exactly one reset; nothing when one does not.
std::optional<OpenTimes> timeOpens(const FrmDips& window, const PaintCounter& counter,
                                   const std::function<void()>& open)
{
    int resets = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&partOf<ChannelTableModel>(window), &QAbstractItemModel::modelReset,
                         [&resets] { ++resets; });
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 0; i < kOpens; ++i) {
        const int paintsBefore = counter.paints();
        const int resetsBefore = resets;
        const double cpuStartNs = nowNs(CLOCK_PROCESS_CPUTIME_ID);
        QElapsedTimer timer;
        timer.start();
        open();
        if (resets != resetsBefore + 1 || !waitForPaint(counter, paintsBefore))
            break;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpuTimes.push_back((nowNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStartNs) / 1e6);
    }
    QObject::disconnect(counting);
    if (times.size() != std::size_t(kOpens))
        return std::nullopt;
    return OpenTimes{times.front(), median(times), median(cpuTimes)};
}

// Whether the table holds the bench site's names and contacts (the state texts depend on
// the format: a Corvane site has none of its own).
bool holdsSite(const ChannelTableModel& table, const ChannelRows& site)
{
    if (table.channelCount() != site.size())
        return false;
    for (int row = 0; row < site.size(); ++row) {
        if (table.channel(row).relNam != site[row].relNam ||
            table.channel(row).back != site[row].back)
            return false;
    }
    return true;
}

// Opens the bench site as a .dip, a CSV list and a Corvane site, each several times; answers
// the figures of each as JSON members, or nothing when an open failed.
std::optional<QString> timeEachFormat(FrmDips& window, const PaintCounter& counter,
                                      NullDialogs& dialogs, const QDir& files)
{
    const QString dip = files.filePath(QStringLiteral("site3072.dip"));
    const QString csv = files.filePath(QStringLiteral("site3072.csv"));
    const QString corvane = files.filePath(QStringLiteral("corvane"));
    const ChannelRows site = BenchSite::Rows(kChannels);
    if (!SaveDipFile(site, dip) || !SaveCsvFile(site, csv) || !files.mkpath(corvane) ||
        !SaveCorvaneChannelFile(site, corvane)) {
        std::fprintf(stderr, "the site files could not be written\n");
        return std::nullopt;
    }
    DocumentCommands& commands = partOf<DocumentCommands>(window);
    commands.setSiteChooser([corvane] {
        return ChosenSite{ChosenSite::Button::Load, QStringLiteral("Bench"), corvane};
    });

    struct Format
    {
        const char* name;
        std::function<void()> open;
    };
    const Format formats[] = {
        {"dip",
         [&] {
             dialogs.setChosenFile(dip);
             commands.OpenSite();
         }},
        {"csv",
         [&] {
             dialogs.setChosenFile(csv);
             commands.OpenSite();
         }},
        {"corvane", [&] { commands.ImportCorvaneAllocations(); }},
    };
    QString opens;
    for (const Format& format : formats) {
        const std::optional<OpenTimes> times = timeOpens(window, counter, format.open);
        if (!times || !holdsSite(partOf<ChannelTableModel>(window), site)) {
            std::fprintf(stderr, "opening the %s site failed\n", format.name);
            return std::nullopt;
        }
        opens += QStringLiteral("\"open_%1_first_ms\": %2, \"open_%1_median_ms\": %3, "
                                "\"open_%1_cpu_median_ms\": %4, ")
                     .arg(QLatin1String(format.name))
                     .arg(times->firstMs, 0, 'f', 3)
                     .arg(times->medianMs, 0, 'f', 3)
                     .arg(times->cpuMedianMs, 0, 'f', 3);
    }
    if (dialogs.questions() > 0 || dialogs.fileDialogs() != 2 * kOpens) {
        std::fprintf(stderr, "the sites did not open as expected\n");
        return std::nullopt;
    }
    return opens;
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
    const PaintCounter counter(partOf<ChannelGridView>(window, "SGGrid1").viewport());
    window.show();
    if (!waitForPaint(counter, 0)) {
        std::fprintf(stderr, "the window was never painted\n");
        return 1;
    }
    const double shownMs = clock.sinceLaunchMs();
    const double shownRssMb = statusMegabytes("VmHWM:");

    const std::optional<QString> opens =
        timeEachFormat(window, counter, dialogs, QDir(scratch.path()));
    if (!opens)
        return 1;

    std::printf("{\"launch_clock\": \"%s\", \"main_entered_ms\": %.2f, "
                "\"application_ms\": %.2f, \"window_constructed_ms\": %.2f, "
                "\"window_shown_ms\": %.2f, \"rss_at_shown_mb\": %.2f, \"channels\": %d, "
                "%s\"opens\": %d, \"peak_rss_mb\": %.2f}\n",
                clock.source, mainEnteredMs, applicationMs, constructedMs, shownMs, shownRssMb,
                kChannels, qPrintable(*opens), kOpens, statusMegabytes("VmHWM:"));
    return 0;
}
