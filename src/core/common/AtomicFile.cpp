#include "AtomicFile.h"

#include "FinalPath.h"
#include "RegularFile.h"
#include "SaveTemporary.h"
#include "SystemError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

// The longest file name most file systems take, in bytes.
constexpr qsizetype kNameMaximum = 255;
// A save writes its temporary file within moments; one untouched this long is no save's.
constexpr int kKilledAfterSeconds = 60;

// The box names the folder: the file itself could have been written.
QString folderRefusal(const QFileInfo& target, const QString& reason)
{
    return QStringLiteral("No new file can be made in the folder %1: %2")
        .arg(QDir::toNativeSeparators(target.absolutePath()), reason);
}

} // namespace

void AtomicFile::removeKilledSaves(const QString& folder, const QString& fileName)
{
    const QDateTime killed = QDateTime::currentDateTimeUtc().addSecs(-kKilledAfterSeconds);
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (SaveTemporary::isTemporaryName(entry.fileName(), fileName) &&
            entry.lastModified().toUTC() < killed)
            SaveTemporary::removeUnlessHeld(entry.absoluteFilePath());
    }
}

FileResult AtomicFile::write(const QString& path, const QByteArray& bytes)
{
    const QString target = FinalPath::of(path);
    if (const QString refusal = RegularFile::refusal(target); !refusal.isEmpty())
        return FileResult::failure(refusal);
    const QFileInfo info(target);
    // Links that lead round in a circle: the system writes through none of them.
    if (info.isSymLink())
        return FileResult::failure(SystemError::linkLoopText());
    if (QFile::encodeName(info.fileName()).size() > kNameMaximum)
        return FileResult::failure(SystemError::text(ENAMETOOLONG));
    if (const QString denied = RegularFile::writeRefusal(target); !denied.isEmpty())
        return FileResult::failure(denied);
    removeKilledSaves(info.absolutePath(), info.fileName());
    SaveTemporary temporary(info);
    if (!temporary.error().isEmpty()) {
        return FileResult::failure(info.exists() ? folderRefusal(info, temporary.error())
                                                 : temporary.error());
    }
    temporary.takePermissionsOf(target);
    if (!temporary.write(bytes) || !temporary.replace(target))
        return FileResult::failure(temporary.error());
    return FileResult::success();
}
