#pragma once

#include <QString>

// The issue or revision text printed on a site's record, kept per site file in section
// "PrintSetup" of the settings, so that each file keeps its own.
namespace PrintSetupSettings {

QString LoadIssue(const QString& sitePath);
// An empty text removes the file's entry.
void SaveIssue(const QString& sitePath, const QString& issue);

} // namespace PrintSetupSettings
