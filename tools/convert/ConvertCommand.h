#pragma once

#include "document/ChannelRow.h"
#include "document/SiteState.h"

#include <QString>
#include <QStringList>

#include <optional>

class PagedDocument;
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
    static std::optional<QString> strayOption(const QCommandLineParser& parser);
    int convert(const QString& input, const QString& output) const;
    // INPUT --labels DB: DB is an SQLite file or an ODBC connection string.
    int exportLabels(const QString& input, const QString& database) const;
    // INPUT --label-sheet PDF: the relay labels on the default label stock, from label `start`
    // of the first sheet, only those that differ from site `changedAgainst` when given.
    int writeLabelSheet(const QString& input, const QString& output, const QString& start,
                        const QString& changedAgainst) const;
    static int writePdf(PagedDocument& document, const QString& output);
    // --check INPUT: one line per problem.
    int checkSite(const QString& input) const;
    // --compare A B: one line per difference; with `record`, the alteration record from A to B.
    int compareSites(const QString& first, const QString& second, const QString& record) const;
    // --fingerprint FILE...: a line per file, its fingerprint (or whole SHA-256), a tab, its name.
    int printFingerprints(const QStringList& files, bool full) const;
    // --verify SITE CARDFILE: whether CARDFILE is byte for byte what Save writes for SITE.
    int verifyCard(const QString& site, const QString& card) const;
    // The rows of INPUT, or nothing after a failure that was reported. A site cut to 3072
    // channels is taken with --yes, or when `takeCut`.
    std::optional<ChannelRows> readSite(const QString& input, bool takeCut = false) const;
    // The name and file a printed INPUT is headed with: a Corvane site's own name, else the
    // file's name without its ending.
    static SiteState siteOf(const QString& input);

    bool yes_;
};
