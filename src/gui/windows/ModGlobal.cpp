#include "ModGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ModGlobal {

DirSettings dirs;

namespace {

const QString kDirectories = QStringLiteral("Directories");

QString& settingsFile()
{
    static QString file;
    return file;
}

} // namespace

void UseSettingsFile(const QString& path)
{
    settingsFile() = path;
}

std::unique_ptr<QSettings> OpenSettingsStore()
{
    if (!settingsFile().isEmpty())
        return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
#ifdef Q_OS_WIN
    // Where earlier versions of the editor kept the same keys, so users keep their settings.
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\ZR415Config"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("ZR415Config"),
                                       QStringLiteral("ZR415Config"));
#endif
}

QString DefaultFilePath()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QDir::rootPath());
#else
    // Without drive letters the root is no place for a user's files.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    return QDir::toNativeSeparators(folder) + QDir::separator();
#endif
}

QString DefaultCorvanePath()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void LoadSettings(DirSettings& settings)
{
    const auto store = OpenSettingsStore();
    store->beginGroup(kDirectories);
    settings.filePath = store->value(QStringLiteral("filePath"), DefaultFilePath()).toString();
    settings.cfPath = store->value(QStringLiteral("cfPath"), DefaultFilePath()).toString();
    settings.crvPath = store->value(QStringLiteral("crvPath"), DefaultCorvanePath()).toString();
    store->endGroup();
}

void SaveSettings(const DirSettings& settings)
{
    const auto store = OpenSettingsStore();
    store->beginGroup(kDirectories);
    store->setValue(QStringLiteral("filePath"), settings.filePath);
    store->setValue(QStringLiteral("cfPath"), settings.cfPath);
    store->setValue(QStringLiteral("crvPath"), settings.crvPath);
    store->endGroup();
}

} // namespace ModGlobal
