#include "FileHelpers.h"

#include <QFile>

namespace ModFunc {

void DeleteFileQuietly(const QString& path)
{
    QFile::remove(path);
}

} // namespace ModFunc
