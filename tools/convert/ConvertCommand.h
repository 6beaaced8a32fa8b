#pragma once

#include "document/ChannelRow.h"
#include "document/SiteState.h"

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// zr415-convert: the editor's readers and writers without a window.
class ConvertCommand
{
public:
    enum ExitStatus { Success = 0, Failed = 1, UsageError = 2, Unreadable = 2 };

    // Runs the command for the arguments after the program name.
    static int run(const QStringList& arguments);

    static QString usage();

private:
    explicit ConvertCommand(bool yes) : yes_(yes) {}

    int runMode(const QCommandLineParser& parser) const;
    int convert(const QString& input, const QString& output) const;
    // INPUT --labels DB: DB is an SQLite file or an ODBC connection string.
    int exportLabels(const QString& input, const QString& database) const;
    // INPUT --label-sheet PDF: the relay labels on the default label stock.
    int writeLabelSheet(const QString& input, const QString& output) const;
    // --sites CONFIGDIR: one line per site, its name, a tab, its directory.
    static int listSites(const QString& configDir);
    // --check INPUT: one line per problem.
    int checkSite(const QString& input) const;
    // --compare A B: one line per difference.
    int compareSites(const QString& first, const QString& second) const;
    // The rows of INPUT, or nothing after a failure that was reported. A site cut to 3072
    // channels is taken with --yes, or when `takeCut`.
    std::optional<ChannelRows> readSite(const QString& input, bool takeCut = false) const;
    // The name and file a printed INPUT is headed with: a Corvane site's own name, else the
    // file's name without its ending.
    static SiteState siteOf(const QString& input);

    bool yes_;
};
