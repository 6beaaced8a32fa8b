#pragma once

#include <QString>

// zr415-convert --sites CONFIGDIR.
namespace SiteListing {

// One line per Corvane site below the directory, its name, a tab, its directory; 0, or 1 when
// the directory does not exist.
int print(const QString& configDir);

} // namespace SiteListing
