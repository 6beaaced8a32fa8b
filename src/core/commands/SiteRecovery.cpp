#include "SiteRecovery.h"

#include "DocumentCommands.h"
#include "RecoveryCopy.h"
#include "common/AtomicFile.h"
#include "common/Dialogs.h"
#include "common/FileReader.h"
#include "document/ChannelTableModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".zr415-recovery");
// A copy of the largest site is a few hundred kilobytes; a larger file is not read.
constexpr qint64 kLargestCopy = 16 * 1024 * 1024;

const QString kLockSuffix = QStringLiteral(".lock");

QString lockPathOf(const QString& copy)
{
    return copy + kLockSuffix;
}

// "14:02" for a copy of today, with the date before it for an older one.
QString whenText(const QDateTime& saved)
{
    const QDateTime local = saved.toLocalTime();
    if (local.date() == QDate::currentDate())
        return local.toString(QStringLiteral("HH:mm"));
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString questionFor(const RecoveryCopy& copy)
{
    const QString site =
        copy.site.siteName.isEmpty() ? QStringLiteral("an untitled site") : copy.site.siteName;
    return QStringLiteral("Restore the unsaved changes to %1 from %2?")
        .arg(site, whenText(copy.saved));
}

struct LeftCopy
{
    QString path;
    RecoveryCopy copy;
    std::shared_ptr<QLockFile> lock;
};

// A copy that gives no site back, moved out of the way: where it lies now, and why.
struct SetAsideCopy
{
    QString path;
    QString reason;
};

struct LeftCopies
{
    QList<LeftCopy> restorable; // newest first
    QList<SetAsideCopy> setAside;
};

// Why the file gives no site back; empty when `copy` got it.
QString unrestorable(const WholeFile& file, std::optional<RecoveryCopy>& copy)
{
    if (!file.error.isEmpty())
        return file.error;
    if (RecoveryCopy::isFromNewerVersion(file.bytes))
        return QStringLiteral("written by a newer version of ZR415Config");
    copy = RecoveryCopy::decode(file.bytes);
    return copy ? QString() : QStringLiteral("the copy is damaged");
}

// Renames the copy to a name no copy has; where it lies afterwards.
QString setAside(const QString& path)
{
    for (int n = 1; n < 100; ++n) {
        const QString aside = path + QStringLiteral(".set-aside") +
                              (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        if (!QFileInfo::exists(aside) && QFile::rename(path, aside))
            return aside;
    }
    return path;
}

QString setAsideText(const QList<SetAsideCopy>& copies)
{
    QStringList lines{QStringLiteral("Some unsaved changes kept from an earlier run cannot be "
                                     "restored. They were moved aside, not deleted:")};
    for (const SetAsideCopy& copy : copies)
        lines.append(QDir::toNativeSeparators(copy.path) + QStringLiteral(" (") + copy.reason +
                     u')');
    return lines.join(QStringLiteral("\r\n"));
}

// The copies of editors that no longer run, each locked now by this editor. What cannot be
// restored is set aside, never removed: it may still hold the only record of a day's work.
LeftCopies leftCopies(const QString& folder, const QString& own)
{
    LeftCopies left;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const QString path = dir.filePath(name);
        auto lock = std::make_shared<QLockFile>(lockPathOf(path));
        // Only a lock whose editor no longer runs is free, however old it is.
        lock->setStaleLockTime(0);
        if (path == own || !lock->tryLock(0))
            continue;
        std::optional<RecoveryCopy> copy;
        const QString reason = unrestorable(FileReader::readWhole(path, kLargestCopy), copy);
        if (reason.isEmpty())
            left.restorable.append({path, *copy, lock});
        else
            left.setAside.append({setAside(path), reason});
    }
    std::sort(left.restorable.begin(), left.restorable.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.copy.saved > b.copy.saved; });
    return left;
}

// What editors that ended part-way left beside their copies: the temporary file of a copy
// being written, and the lock of an editor that kept no copy.
void removeLeftovers(const QString& folder)
{
    AtomicFile::removeKilledSaves(folder, QString());
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + lockPathOf(kSuffix)})) {
        if (QFileInfo::exists(dir.filePath(name.chopped(kLockSuffix.size()))))
            continue;
        // Taken only from an editor that no longer runs; letting go of it removes it.
        QLockFile lock(dir.filePath(name));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            lock.unlock();
    }
}

} // namespace

SiteRecovery::SiteRecovery(DocumentCommands& commands, const ChannelTableModel& table,
                           const QString& folder, QObject* parent)
    : QObject(parent), commands_(commands), table_(table), folder_(folder),
      path_(QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kSuffix)),
      lock_(std::make_unique<QLockFile>(lockPathOf(path_)))
{
    QDir().mkpath(folder);
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &SiteRecovery::writeNow);
    connect(&commands, &DocumentCommands::modifiedChanged, this, &SiteRecovery::followModified);
    connect(&commands, &DocumentCommands::captionChanged, this, &SiteRecovery::scheduleWrite);
    connect(&table, &ChannelTableModel::siteDataChanged, this, &SiteRecovery::scheduleWrite);
    connect(&table, &QAbstractItemModel::modelReset, this, &SiteRecovery::scheduleWrite);
    connect(&table, &QAbstractItemModel::rowsInserted, this, &SiteRecovery::scheduleWrite);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, &SiteRecovery::scheduleWrite);
}

// A copy written is left in place: only an editor that ends without closing leaves one behind
// for good, and a closing one discards its copy first.
SiteRecovery::~SiteRecovery() = default;

QString SiteRecovery::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery"));
}

void SiteRecovery::scheduleWrite()
{
    if (commands_.isModified())
        timer_.start();
}

void SiteRecovery::followModified(bool modified)
{
    if (modified)
        scheduleWrite();
    else
        discard();
}

void SiteRecovery::writeNow()
{
    timer_.stop();
    if (!commands_.isModified())
        return;
    // The folder may have been removed, or not been writable when this editor started.
    if (!lock_->isLocked() && QDir().mkpath(folder_))
        lock_->tryLock(0);
    const RecoveryCopy copy{table_.rows(), commands_.site(), commands_.siteStamp(),
                            QDateTime::currentDateTimeUtc()};
    const FileResult written = AtomicFile::write(path_, copy.encode());
    // Tried again until it can be written, the user told meanwhile.
    if (!written)
        timer_.start();
    setFailure(written.error);
}

void SiteRecovery::discard()
{
    timer_.stop();
    QFile::remove(path_);
    setFailure(QString());
}

void SiteRecovery::setFailure(const QString& failure)
{
    if (failure == failure_)
        return;
    failure_ = failure;
    emit keepingChanged(failure_);
}

bool SiteRecovery::offerLeftCopies()
{
    removeLeftovers(folder_);
    const LeftCopies left = leftCopies(folder_, path_);
    if (!left.setAside.isEmpty()) {
        AskUser(setAsideText(left.setAside), EditorTitle(), MessageIcon::Exclamation,
                MessageButtons::Ok);
    }
    for (const LeftCopy& copy : left.restorable) {
        const MessageAnswer answer = AskUser(questionFor(copy.copy), EditorTitle(),
                                             MessageIcon::Question, MessageButtons::RestoreDiscard);
        if (answer == MessageAnswer::Cancel)
            continue;
        if (answer == MessageAnswer::Restore)
            commands_.restoreSite(copy.copy.rows, copy.copy.site, copy.copy.stamp);
        QFile::remove(copy.path);
        if (answer == MessageAnswer::Restore) {
            writeNow();
            return true;
        }
    }
    return false;
}
