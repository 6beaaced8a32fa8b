#pragma once

#include "FileResult.h"

#include <QByteArray>
#include <QString>

// Every save goes through here: the bytes go to a temporary file beside the target, which
// replaces the target only once every byte is on disk. A failed save leaves the old file
// exactly as it was and no temporary file behind.
class AtomicFile
{
public:
    static FileResult write(const QString& path, const QByteArray& bytes);
};
