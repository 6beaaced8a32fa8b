#pragma once

#include "document/DirSettings.h"

#include <QSettings>

#include <memory>

namespace ModGlobal {

// The one record of working directories, read at start and written at close.
extern DirSettings dirs;

// The per-user store under the application name "ZR415Config"; written back when it goes.
std::unique_ptr<QSettings> OpenSettingsStore();
// Keeps the settings in this INI file instead of the user's store (on Windows the registry);
// an empty path goes back to the user's store.
void UseSettingsFile(const QString& path);

// Fills the record from section "Directories", with the defaults for absent keys.
void LoadSettings(DirSettings& settings);
// Stores the record as it is; an empty text is stored as empty.
void SaveSettings(const DirSettings& settings);

// "C:\" on Windows; elsewhere the user's Documents folder (home when there is none).
QString DefaultFilePath();
// The directory that holds the program's executable.
QString DefaultCorvanePath();

} // namespace ModGlobal
