#include "PrintSetupSettings.h"

#include "ModGlobal.h"

#include <QCryptographicHash>
#include <QDir>

namespace PrintSetupSettings {

namespace {

// A path holds characters that a settings key may not (slashes, and on Windows the registry's
// backslash), and may be long: the key is a digest of the path, and the path is kept beside it
// for whoever reads the settings.
QString keyOf(const QString& sitePath)
{
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(sitePath));
    return QStringLiteral("PrintSetup/") +
           QString::fromLatin1(
               QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

QString LoadIssue(const QString& sitePath)
{
    return ModGlobal::OpenSettingsStore()
        ->value(keyOf(sitePath) + QStringLiteral("/issue"))
        .toString();
}

void SaveIssue(const QString& sitePath, const QString& issue)
{
    const auto store = ModGlobal::OpenSettingsStore();
    if (issue.trimmed().isEmpty()) {
        store->remove(keyOf(sitePath));
        return;
    }
    store->setValue(keyOf(sitePath) + QStringLiteral("/file"), QDir::toNativeSeparators(sitePath));
    store->setValue(keyOf(sitePath) + QStringLiteral("/issue"), issue.trimmed());
}

} // namespace PrintSetupSettings
