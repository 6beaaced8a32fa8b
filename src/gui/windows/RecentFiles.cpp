#include "RecentFiles.h"

#include "ModGlobal.h"

namespace RecentFiles {

namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString keyOf(int index)
{
    return QStringLiteral("file%1").arg(index + 1);
}

void Store(const QStringList& files)
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(kSection);
    for (int i = 0; i < kMaximum; ++i) {
        if (i < files.size())
            store->setValue(keyOf(i), files[i]);
        else
            store->remove(keyOf(i));
    }
    store->endGroup();
}

} // namespace

QStringList Load()
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(kSection);
    QStringList files;
    for (int i = 0; i < kMaximum; ++i) {
        const QString file = store->value(keyOf(i)).toString();
        if (!file.isEmpty() && !files.contains(file))
            files.append(file);
    }
    store->endGroup();
    return files;
}

QStringList Add(const QString& path)
{
    QStringList files = Load();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaximum)
        files.removeLast();
    Store(files);
    return files;
}

} // namespace RecentFiles
