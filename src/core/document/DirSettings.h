#pragma once

#include <QString>

// The three working directories kept between runs.
struct DirSettings
{
    QString filePath; // channel files opened or saved under a new name
    QString cfPath;   // the CompactFlash card
    QString crvPath;  // the Corvane configuration directory
};
