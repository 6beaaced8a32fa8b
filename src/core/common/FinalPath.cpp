#include "FinalPath.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <climits>
#include <cstdlib>
#include <unistd.h>
#endif

namespace FinalPath {

#ifdef Q_OS_WIN

// Windows takes ".." by the path's text before it follows any link; the final path is what
// the system opens.
QString of(const QString& path)
{
    const QFileInfo info(path);
    if (const QString final = info.canonicalFilePath(); !final.isEmpty())
        return final;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + u'/' + info.fileName();
}

#else

namespace {

// As many links as the system follows before it gives up.
constexpr int kMostLinks = 40;

QByteArray realPath(const QByteArray& path)
{
    char* resolved = ::realpath(path.constData(), nullptr);
    const QByteArray result(resolved ? resolved : "");
    std::free(resolved);
    return result;
}

// The link's own text, or nothing when `path` is no link.
QByteArray linkText(const QByteArray& path)
{
    QByteArray text(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.constData(), text.data(), size_t(text.size()));
    return length > 0 ? text.left(length) : QByteArray();
}

} // namespace

QString of(const QString& path)
{
    QByteArray current = QFile::encodeName(path);
    for (int link = 0; link <= kMostLinks; ++link) {
        if (const QByteArray existing = realPath(current); !existing.isEmpty())
            return QFile::decodeName(existing);
        // Nothing is there yet, or a link leads to nothing: its folder is found, then the name
        // in it, which may be such a link again.
        const qsizetype slash = current.lastIndexOf('/');
        const QByteArray folder = realPath(slash < 0    ? QByteArray(".")
                                           : slash == 0 ? QByteArray("/")
                                                        : current.left(slash));
        if (folder.isEmpty())
            break;
        const QByteArray inFolder =
            (folder == "/" ? folder : folder + '/') + current.mid(slash + 1);
        const QByteArray target = linkText(inFolder);
        if (target.isEmpty())
            return QFile::decodeName(inFolder);
        current = target.startsWith('/') ? target : folder + '/' + target;
    }
    return path; // writing fails and says why
}

#endif

} // namespace FinalPath
