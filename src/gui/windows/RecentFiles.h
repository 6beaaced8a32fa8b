#pragma once

#include <QStringList>

// The last channel files opened or saved, newest first, kept beside the other settings.
namespace RecentFiles {

constexpr int kMaximum = 5;

QStringList Load();
// Puts the path first (once), keeps at most five, stores and answers the list.
QStringList Add(const QString& path);

} // namespace RecentFiles
