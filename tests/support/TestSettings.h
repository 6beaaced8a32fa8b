#pragma once

#include "windows/ModGlobal.h"

#include <QTemporaryDir>

// Settings of the test program's own, apart from the user's (the registry included), gone when
// the program ends.
inline void useTestSettings()
{
    static const QTemporaryDir folder;
    ModGlobal::UseSettingsFile(folder.filePath(QStringLiteral("ZR415Config.ini")));
}
