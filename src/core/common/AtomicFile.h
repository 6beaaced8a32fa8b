#pragma once

#include "FileResult.h"

#include <QByteArray>
#include <QString>

// Every save goes through here: the bytes go to a temporary file beside the target (named
// after it, with ".zr415-" and six characters; ".zr415-" and six alone for a very long name),
// which replaces the target only once every byte is on disk. A failed save leaves the old file
// exactly as it was and no temporary file behind; the temporary files of saves killed part-way are
// removed by the next save there. Only a regular file is replaced; a link is followed, so the link
// stays.
class AtomicFile
{
public:
    static FileResult write(const QString& path, const QByteArray& bytes);

    // The temporary files of earlier saves of `target` that a save now would remove.
    static QStringList staleTemporaries(const QString& target);
};
