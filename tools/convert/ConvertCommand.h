#pragma once

#include <QString>
#include <QStringList>

class ChannelTableModel;
class ConsoleDialogs;

// zr415-convert: the editor's readers and writers without a window.
class ConvertCommand
{
public:
    enum ExitStatus { Success = 0, Failed = 1, UsageError = 2 };

    // Runs the command for the arguments after the program name.
    static int run(const QStringList& arguments);

    static QString usage();

private:
    static int convert(const ConsoleDialogs& console, const QString& input, const QString& output);
    // INPUT --labels DB: DB is an SQLite file or an ODBC connection string.
    static int exportLabels(const ConsoleDialogs& console, const QStringList& arguments);
    // --sites CONFIGDIR: one line per site, its name, a tab, its directory.
    static int listSites(const QStringList& arguments);
    static bool readSite(const ConsoleDialogs& console, ChannelTableModel& table,
                         const QString& input);
    static bool readWholeSite(ChannelTableModel& table, const QString& input);
    static bool importSite(ChannelTableModel& table, const QString& siteDir);
    static bool writeSite(const ChannelTableModel& table, const QString& output);
};
