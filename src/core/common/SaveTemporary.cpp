#include "SaveTemporary.h"

#include "SystemError.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kMark = QStringLiteral(".zr415-");
// The longest file name most file systems take, in bytes.
constexpr qsizetype kNameMaximum = 255;

QString nameBeside(const QFileInfo& target)
{
    static const QString characters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString mark = kMark;
    for (int i = 0; i < 6; ++i)
        mark += characters[QRandomGenerator::global()->bounded(int(characters.size()))];
    const bool fits = QFile::encodeName(target.fileName() + mark).size() <= kNameMaximum;
    return target.absoluteDir().filePath(fits ? target.fileName() + mark : mark);
}

#ifndef Q_OS_WIN
bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A folder's entries reach the disk when the folder is synced. A file system that cannot sync
// a folder says so with EINVAL; one whose folder cannot be opened leaves it to the system.
bool syncFolder(const QString& folder, QString& error)
{
    const int descriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return true;
    const bool synced = ::fsync(descriptor) == 0 || errno == EINVAL;
    if (!synced)
        error = SystemError::last();
    ::close(descriptor);
    return synced;
}
#endif

} // namespace

SaveTemporary::SaveTemporary(const QFileInfo& target)
{
    create(target);
}

SaveTemporary::~SaveTemporary()
{
    file_.close();
    if (created_ && !replaced_)
        QFile::remove(file_.fileName());
}

bool SaveTemporary::isTemporaryName(const QString& name, const QString& targetName)
{
    static const QRegularExpression any(QStringLiteral("^.*\\.zr415-[A-Za-z0-9]{6}$"));
    if (targetName.isEmpty())
        return any.match(name).hasMatch();
    const QRegularExpression ours(QStringLiteral("^(") + QRegularExpression::escape(targetName) +
                                  QStringLiteral(")?\\.zr415-[A-Za-z0-9]{6}$"));
    return ours.match(name).hasMatch();
}

// Unbuffered, so that a device that stops part-way says why.
bool SaveTemporary::create(const QFileInfo& target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        file_.setFileName(nameBeside(target));
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            created_ = holdsItsName();
            if (created_)
                return true;
            file_.close();
        } else if (!file_.exists()) {
            error_ = file_.errorString();
            return false;
        }
    }
    error_ = SystemError::text(EEXIST);
    return false;
}

bool SaveTemporary::write(const QByteArray& bytes)
{
    if (!error_.isEmpty())
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            error_ = file_.errorString();
            return false;
        }
        done += written;
    }
    return sync();
}

#ifdef Q_OS_WIN

// An open file cannot be removed on Windows: the save holds it by keeping it open.
bool SaveTemporary::holdsItsName()
{
    return true;
}

// Closed first: a second handle on the file would keep it from being replaced.
bool SaveTemporary::sync()
{
    file_.close();
    const QString path = QDir::toNativeSeparators(file_.fileName());
    const int descriptor =
        _wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDWR | _O_BINARY);
    const bool synced = descriptor >= 0 && _commit(descriptor) == 0;
    if (!synced)
        error_ = SystemError::text(errno);
    if (descriptor >= 0)
        _close(descriptor);
    return synced;
}

void SaveTemporary::takePermissionsOf(const QString& target)
{
    const QFileInfo info(target);
    if (info.exists())
        file_.setPermissions(info.permissions());
}

// Written through: the move is on the disk when it returns.
bool SaveTemporary::replace(const QString& target)
{
    replaced_ = MoveFileExW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(file_.fileName()).utf16()),
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(target).utf16()),
        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced_)
        error_ = SystemError::last();
    return replaced_;
}

void SaveTemporary::removeUnlessHeld(const QString& path)
{
    QFile::remove(path);
}

#else

// Locked, and still under its name: a clearing up may have removed it between the two.
bool SaveTemporary::holdsItsName()
{
    if (::flock(file_.handle(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return false;
    struct stat held
    {};
    struct stat named
    {};
    return ::fstat(file_.handle(), &held) == 0 &&
           ::stat(QFile::encodeName(file_.fileName()).constData(), &named) == 0 &&
           sameFile(held, named);
}

bool SaveTemporary::sync()
{
    if (::fsync(file_.handle()) == 0)
        return true;
    error_ = SystemError::last();
    return false;
}

// Root may give the file its owner back; anyone else keeps its group where allowed. The owner
// is set first, as a change of owner clears the set-user-ID and set-group-ID bits.
void SaveTemporary::takePermissionsOf(const QString& target)
{
    struct stat status
    {};
    if (::stat(QFile::encodeName(target).constData(), &status) != 0)
        return;
    [[maybe_unused]] const int owned =
        ::fchown(file_.handle(), ::geteuid() == 0 ? status.st_uid : uid_t(-1), status.st_gid);
    ::fchmod(file_.handle(), status.st_mode & 07777);
}

// Renamed while still held, so that no clearing up can take it before.
bool SaveTemporary::replace(const QString& target)
{
    if (std::rename(QFile::encodeName(file_.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        error_ = SystemError::last();
        return false;
    }
    replaced_ = true;
    return syncFolder(QFileInfo(target).absolutePath(), error_);
}

void SaveTemporary::removeUnlessHeld(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0)
        return;
    struct stat held
    {};
    struct stat named
    {};
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && ::fstat(descriptor, &held) == 0 &&
        ::lstat(name.constData(), &named) == 0 && sameFile(held, named))
        ::unlink(name.constData());
    ::close(descriptor);
}

#endif
