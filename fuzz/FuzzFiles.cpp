#include "FuzzFiles.h"

#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace FuzzFiles {

QString folder()
{
    static const QTemporaryDir directory;
    FUZZ_CHECK(directory.isValid());
    return QDir::toNativeSeparators(directory.path());
}

QString subfolder(const QString& name)
{
    const QString path = folder() + QDir::separator() + name;
    FUZZ_CHECK(QDir().mkpath(path));
    return path;
}

QString writeInput(const std::uint8_t* data, std::size_t size, const QString& name,
                   const QString& directory)
{
    const QString path = (directory.isEmpty() ? folder() : directory) + QDir::separator() + name;
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    return path;
}

} // namespace FuzzFiles
