#include "SiteRecovery.h"

#include "DocumentCommands.h"
#include "RecoveryCopy.h"
#include "common/AtomicFile.h"
#include "common/Dialogs.h"
#include "document/ChannelTableModel.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".zr415-recovery");

QString lockPathOf(const QString& copy)
{
    return copy + QStringLiteral(".lock");
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

// The copies of editors that no longer run, newest first, each locked now by this editor.
QList<LeftCopy> leftCopies(const QString& folder, const QString& own)
{
    QList<LeftCopy> left;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const QString path = dir.filePath(name);
        auto lock = std::make_shared<QLockFile>(lockPathOf(path));
        // Only a lock whose editor no longer runs is free, however old it is.
        lock->setStaleLockTime(0);
        if (path == own || !lock->tryLock(0))
            continue;
        QFile file(path);
        std::optional<RecoveryCopy> copy;
        if (file.open(QIODevice::ReadOnly))
            copy = RecoveryCopy::decode(file.readAll());
        if (copy)
            left.append({path, *copy, lock});
        else
            QFile::remove(path); // a damaged copy holds nothing to give back
    }
    std::sort(left.begin(), left.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.copy.saved > b.copy.saved; });
    return left;
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
    const RecoveryCopy copy{table_.rows(), commands_.site(), commands_.siteStamp(),
                            QDateTime::currentDateTimeUtc()};
    // A copy that cannot be written is tried again at the next change; nothing to tell.
    AtomicFile::write(path_, copy.encode());
}

void SiteRecovery::discard()
{
    timer_.stop();
    QFile::remove(path_);
}

bool SiteRecovery::offerLeftCopies()
{
    for (const LeftCopy& left : leftCopies(folder_, path_)) {
        const MessageAnswer answer = AskUser(questionFor(left.copy), EditorTitle(),
                                             MessageIcon::Question, MessageButtons::RestoreDiscard);
        if (answer == MessageAnswer::Cancel)
            continue;
        if (answer == MessageAnswer::Restore)
            commands_.restoreSite(left.copy.rows, left.copy.site, left.copy.stamp);
        QFile::remove(left.path);
        if (answer == MessageAnswer::Restore) {
            writeNow();
            return true;
        }
    }
    return false;
}
