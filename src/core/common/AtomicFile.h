#pragma once

#include "FileResult.h"

#include <QByteArray>
#include <QString>

// Every save goes through here: the bytes go to a temporary file beside the target, which
// replaces the target only once every byte is on disk. A failed save leaves the old file exactly
// as it was and no temporary file behind; the temporary files of saves killed part-way are
// removed by the next save there, never one a save still writes. The file written is the one the
// path names as the system finds it (through links; a bare name in the current folder). Only a
// regular file the user may write is replaced, and it keeps its permission bits.
class AtomicFile
{
public:
    static FileResult write(const QString& path, const QByteArray& bytes);

    // Removes what saves killed part-way left in `folder`: the temporary files of `fileName`,
    // or of any file when it is empty. One untouched for a minute and held by no save is such.
    static void removeKilledSaves(const QString& folder, const QString& fileName);
};
