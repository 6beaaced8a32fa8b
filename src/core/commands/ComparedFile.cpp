#include "ComparedFile.h"

#include "SiteFingerprint.h"

namespace {

constexpr int kSettleMilliseconds = 150;

} // namespace

ComparedFile::ComparedFile(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &ComparedFile::checkNow);
}

void ComparedFile::follow(const QString& path, const ChannelRows& rows)
{
    stop();
    stamp_ = FileStamp::of(path);
    fingerprint_ = SiteFingerprint::shown(path, rows);
    channels_ = int(rows.size());
    watch();
}

void ComparedFile::stop()
{
    settle_.stop();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    stamp_ = {};
    fingerprint_.clear();
    channels_ = 0;
}

// A file replaced by a rename is no longer watched: the watch went with the old file.
void ComparedFile::watch()
{
    if (stamp_.isValid() && !watcher_.files().contains(stamp_.path))
        watcher_.addPath(stamp_.path);
}

void ComparedFile::checkNow()
{
    watch();
    if (stamp_.changed())
        emit changedOnDisk();
}
