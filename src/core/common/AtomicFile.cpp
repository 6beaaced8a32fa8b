#include "AtomicFile.h"

#include "RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Saves killed before this editor started have left their temporary files for good.
const QDateTime kStarted = QDateTime::currentDateTimeUtc();
// The longest file name most file systems take, in bytes.
constexpr qsizetype kNameMaximum = 255;
const QString kTemporaryMark = QStringLiteral(".zr415-");

QString systemDescription(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(QFile& file, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Asks the system to put the file's bytes on the disk before it replaces the old file. On
// Windows the file is closed first: a second handle on it would keep it from being replaced.
bool syncAndClose(QFile& file)
{
#ifdef Q_OS_WIN
    file.close();
    const QString path = QDir::toNativeSeparators(file.fileName());
    const int descriptor =
        _wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDWR | _O_BINARY);
    const bool synced = descriptor >= 0 && _commit(descriptor) == 0;
    if (descriptor >= 0)
        _close(descriptor);
    return synced;
#else
    const bool synced = ::fsync(file.handle()) == 0;
    file.close();
    return synced;
#endif
}

bool replace(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

QString replaceError()
{
#ifdef Q_OS_WIN
    return qt_error_string(int(GetLastError()));
#else
    return systemDescription(errno);
#endif
}

// A link is replaced through: its target gets the new bytes and the link stays.
QString finalTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

// "<name>.zr415-" and six characters beside the target; for a name too long to take that,
// ".zr415-" and six alone.
QString temporaryName(const QFileInfo& target)
{
    static const QString characters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString mark = kTemporaryMark;
    for (int i = 0; i < 6; ++i)
        mark += characters[QRandomGenerator::global()->bounded(int(characters.size()))];
    const bool fits = QFile::encodeName(target.fileName() + mark).size() <= kNameMaximum;
    return target.absoluteDir().filePath(fits ? target.fileName() + mark : mark);
}

// Creates the temporary file under a name no other file has, for writing unbuffered, so that
// a device that stops part-way says why.
bool createTemporary(QFile& file, const QFileInfo& target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.setFileName(temporaryName(target));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!file.exists())
            return false;
    }
    return false;
}

} // namespace

QStringList AtomicFile::staleTemporaries(const QString& target)
{
    const QFileInfo info(target);
    const QRegularExpression ours(QStringLiteral("^(") +
                                  QRegularExpression::escape(info.fileName()) +
                                  QStringLiteral(")?\\.zr415-[A-Za-z0-9]{6}$"));
    QStringList stale;
    const QDir folder = info.absoluteDir();
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (ours.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < kStarted)
            stale.append(entry.absoluteFilePath());
    }
    return stale;
}

FileResult AtomicFile::write(const QString& path, const QByteArray& bytes)
{
    if (const QString refusal = RegularFile::refusal(path); !refusal.isEmpty())
        return FileResult::failure(refusal);
    const QString target = finalTarget(path);
    const QFileInfo info(target);
    if (QFile::encodeName(info.fileName()).size() > kNameMaximum)
        return FileResult::failure(systemDescription(ENAMETOOLONG));
    for (const QString& stale : staleTemporaries(target))
        QFile::remove(stale);
    QFile file;
    if (!createTemporary(file, info))
        return FileResult::failure(file.errorString());
    file.setPermissions(info.exists() ? info.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther);
    const bool written = writeAll(file, bytes);
    const QString writeError = file.errorString();
    if (!written || !syncAndClose(file)) {
        file.close();
        QFile::remove(file.fileName());
        return FileResult::failure(written ? systemDescription(EIO) : writeError);
    }
    if (!replace(file.fileName(), target)) {
        const QString error = replaceError();
        QFile::remove(file.fileName());
        return FileResult::failure(error);
    }
    return FileResult::success();
}
