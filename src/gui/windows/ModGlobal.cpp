#include "ModGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace ModGlobal {

DirSettings dirs;

namespace {

const QString kDirectories = QStringLiteral("Directories");

} // namespace

namespace {

std::unique_ptr<QSettings> makeStore()
{
    // Tests keep away from the user's real settings, the registry included, and leave nothing
    // behind: each test process gets a store of its own that goes when the process ends.
    if (QStandardPaths::isTestModeEnabled()) {
        static const QTemporaryDir folder;
        return std::make_unique<QSettings>(folder.filePath(QStringLiteral("ZR415Config.ini")),
                                           QSettings::IniFormat);
    }
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

} // namespace

std::unique_ptr<QSettings> OpenSettingsStore()
{
    return makeStore();
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
