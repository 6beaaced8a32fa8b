#include "ConvertCommand.h"

#include "SelfTest.h"
#include "SiteListing.h"
#include "checks/CardCheck.h"
#include "checks/Fingerprint.h"
#include "checks/SiteChecks.h"
#include "checks/SiteComparison.h"
#include "commands/SiteFingerprint.h"
#include "commands/SiteFormats.h"
#include "common/ConsoleDialogs.h"
#include "common/ShowMessage.h"
#include "corvane/ModCrvFile.h"
#include "document/DipFile.h"
#include "document/SitePaths.h"
#include "document/SiteSize.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"
#include "labels/LabelRows.h"
#include "print/AlterationRecordDocument.h"
#include "print/ChangedLabels.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QFileInfo>

#include <cstdio>

using ModFunc::ShowMessage;

namespace {

int usageError(const QString& problem)
{
    std::fprintf(stderr, "%s\n\n%s", problem.toLocal8Bit().constData(),
                 ConvertCommand::usage().toLocal8Bit().constData());
    return ConvertCommand::UsageError;
}

void showBox(const MessageRequest& box)
{
    Dialogs::current().showMessage(box);
}

// Written last when a cut site is not converted: a script would otherwise take the cut copy
// for the whole site.
void sayNothingWritten()
{
    std::fputs("Nothing was written: the site holds more channels than the 3072 a site can "
               "have. With --yes the first 3072 channels are written.\n",
               stderr);
}

} // namespace

QString ConvertCommand::usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  zr415-convert [--yes] INPUT OUTPUT        convert a site\n"
        "  zr415-convert [--yes] INPUT --labels DB   export to a labels database (SQLite/ODBC)\n"
        "  zr415-convert [--yes] INPUT --label-sheet PDF [--start N] [--changed-against OLD]\n"
        "                                            print the relay labels to a PDF\n"
        "  zr415-convert --sites CONFIGDIR           list the Corvane sites below CONFIGDIR\n"
        "  zr415-convert --check INPUT               list the problems a checker looks for\n"
        "  zr415-convert --compare A B [--record PDF]  list what differs between two sites\n"
        "  zr415-convert --fingerprint [--full] FILE...  print each site's fingerprint\n"
        "  zr415-convert --verify SITE CARDFILE      is CARDFILE what Save writes for SITE?\n"
        "  zr415-convert --self-test                 run the built-in reference cases\n"
        "  zr415-convert --help | --version\n"
        "\n"
        "INPUT is a .dip channel file, a .csv channel list, or a Corvane site (its directory\n"
        "or its DChannel.cfg). OUTPUT is a .dip or .csv name, a .cfg name or an existing\n"
        "directory (a DChannel.cfg is written into that directory), or a .pdf name, which\n"
        "gets the printed site record. The label sheet is laid out for A4 stock of 3 x 7\n"
        "labels of 63.5 x 38.1 mm; --start N begins at label N of the first sheet, and\n"
        "--changed-against OLD prints only the labels that differ from site OLD. --record\n"
        "writes the alteration record from A (old) to B (new) for signing.\n"
        "Every message the editor would show is written to standard error; questions are\n"
        "answered Cancel, or OK with --yes. A site of more than 3072 channels is written\n"
        "only with --yes, cut to its first 3072. \"--\" ends the options.\n"
        "Exit status: 0 success; 1 the read failed or was cancelled, the site was cut, or\n"
        "the write failed (OUTPUT is then not written); 2 usage error. --check and --compare\n"
        "exit 0 when there is no problem or difference, 1 when there is, 2 when a site cannot\n"
        "be read; --verify 0 when identical, 1 when not, 2 when either cannot be read;\n"
        "--self-test 0 when every case passes, else 1.\n");
}

int ConvertCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const auto flag = [](const char* name) { return QCommandLineOption(QLatin1String(name)); };
    const auto valued = [](const char* name, const char* value) {
        return QCommandLineOption(QLatin1String(name), QString(), QLatin1String(value));
    };
    parser.addOptions({QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
                       flag("version"), flag("yes"), valued("labels", "DB"),
                       valued("label-sheet", "PDF"), valued("start", "N"),
                       valued("changed-against", "OLD"), valued("sites", "CONFIGDIR"),
                       flag("check"), flag("compare"), valued("record", "PDF"), flag("fingerprint"),
                       flag("full"), flag("self-test"), flag("verify")});
    if (!parser.parse(QStringList{QStringLiteral("zr415-convert")} + arguments))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(usage().toLocal8Bit().constData(), stdout);
        return Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("zr415-convert %s\n", ZR415_VERSION);
        return Success;
    }
    const bool yes = parser.isSet(QStringLiteral("yes"));
    ConsoleDialogs console(yes);
    Dialogs* previous = Dialogs::install(&console);
    const int status = ConvertCommand(yes).runMode(parser);
    Dialogs::install(previous);
    return status;
}

// An option that belongs to a mode given without it.
std::optional<QString> ConvertCommand::strayOption(const QCommandLineParser& parser)
{
    const std::pair<const char*, const char*> belongs[] = {{"start", "label-sheet"},
                                                           {"changed-against", "label-sheet"},
                                                           {"record", "compare"},
                                                           {"full", "fingerprint"}};
    for (const auto& [option, mode] : belongs) {
        if (parser.isSet(QLatin1String(option)) && !parser.isSet(QLatin1String(mode)))
            return QStringLiteral("--%1 goes with --%2.")
                .arg(QLatin1String(option), QLatin1String(mode));
    }
    return std::nullopt;
}

// The one mode the options ask for, with the positional arguments it takes.
int ConvertCommand::runMode(const QCommandLineParser& parser) const
{
    const QStringList positional = parser.positionalArguments();
    const auto expect = [&](bool ok, const char* shape) {
        return ok ? -1 : usageError(QStringLiteral("Expected %1.").arg(QLatin1String(shape)));
    };
    const auto value = [&](const char* name) { return parser.value(QLatin1String(name)); };
    int modes = 0;
    for (const char* mode : {"sites", "labels", "label-sheet", "check", "compare", "fingerprint",
                             "self-test", "verify"})
        modes += int(parser.isSet(QLatin1String(mode)));
    if (modes > 1)
        return usageError(QStringLiteral("Expected one of --sites, --labels, --label-sheet, "
                                         "--check, --compare, --fingerprint, --self-test, "
                                         "--verify."));
    if (const std::optional<QString> stray = strayOption(parser))
        return usageError(*stray);
    if (parser.isSet(QStringLiteral("sites")))
        return positional.isEmpty() ? SiteListing::print(value("sites"))
                                    : expect(false, "--sites CONFIGDIR");
    if (parser.isSet(QStringLiteral("labels")))
        return positional.size() == 1 ? exportLabels(positional[0], value("labels"))
                                      : expect(false, "INPUT --labels DB");
    if (parser.isSet(QStringLiteral("label-sheet")))
        return positional.size() == 1 ? writeLabelSheet(positional[0], value("label-sheet"),
                                                        value("start"), value("changed-against"))
                                      : expect(false, "INPUT --label-sheet PDF");
    if (parser.isSet(QStringLiteral("check")))
        return positional.size() == 1 ? checkSite(positional[0]) : expect(false, "--check INPUT");
    if (parser.isSet(QStringLiteral("compare")))
        return positional.size() == 2 ? compareSites(positional[0], positional[1], value("record"))
                                      : expect(false, "--compare A B");
    if (parser.isSet(QStringLiteral("fingerprint")))
        return !positional.isEmpty()
                   ? printFingerprints(positional, parser.isSet(QStringLiteral("full")))
                   : expect(false, "--fingerprint FILE...");
    if (parser.isSet(QStringLiteral("verify")))
        return positional.size() == 2 ? verifyCard(positional[0], positional[1])
                                      : expect(false, "--verify SITE CARDFILE");
    if (parser.isSet(QStringLiteral("self-test")))
        return positional.isEmpty() ? SelfTest::run() : expect(false, "--self-test alone");
    return positional.size() == 2 ? convert(positional[0], positional[1])
                                  : expect(false, "an INPUT and an OUTPUT");
}

std::optional<ChannelRows> ConvertCommand::readSite(const QString& input, bool takeCut) const
{
    const SiteFormat* format = SiteFormats::forInput(input);
    const SiteRead read = format->read(
        {input, DefaultRows(SiteSize::choiceChannels(0)), SiteFormats::AskCsvQuestion});
    SiteFormats::showRead(*format, read);
    switch (read.outcome) {
    case SiteRead::Outcome::Loaded:
        return read.rows;
    case SiteRead::Outcome::Cut:
        if (yes_ || takeCut)
            return read.rows;
        sayNothingWritten();
        return std::nullopt;
    case SiteRead::Outcome::Empty:
        ShowMessage(QStringLiteral("No channel allocations found in %1").arg(read.path));
        return std::nullopt;
    case SiteRead::Outcome::Cancelled:
    case SiteRead::Outcome::Failed:
        break;
    }
    return std::nullopt;
}

int ConvertCommand::convert(const QString& input, const QString& output) const
{
    const SiteFormat* outputFormat = SiteFormats::forOutput(output);
    if (!SiteFormats::forInput(input) || !outputFormat)
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> rows = readSite(input);
    if (!rows)
        return Failed;
    const FileResult result =
        outputFormat->write(*rows, siteOf(input), outputFormat->target(output));
    if (!result) {
        showBox(SiteFormats::writeFailure(*outputFormat, result));
        return Failed;
    }
    if (const QString cut = NamesCutNotice(*rows); outputFormat->cutsNames && !cut.isEmpty())
        ShowMessage(cut);
    return Success;
}

int ConvertCommand::verifyCard(const QString& site, const QString& card) const
{
    if (!SiteFormats::forInput(site))
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> rows = readSite(site, true);
    if (!rows)
        return Unreadable;
    const CardCheck check = CheckCard(card, EncodeDipFile(*rows), ReadBackFromDevice);
    showBox(VerifyCardBox(check, card, int(rows->size())));
    return !check.readError.isEmpty() ? Unreadable : check.verified() ? Success : Failed;
}

SiteState ConvertCommand::siteOf(const QString& input)
{
    const QFileInfo info(input);
    SiteState site{SitePaths::StripExtension(info.fileName()), input, info.fileName()};
    const SiteFormat* format = SiteFormats::forInput(input);
    const QString ownName = format->ownName ? format->ownName(input) : QString();
    if (!ownName.isEmpty())
        site.siteName = ownName;
    return site;
}

int ConvertCommand::writeLabelSheet(const QString& input, const QString& output,
                                    const QString& start, const QString& changedAgainst) const
{
    const LabelSheetGrid grid;
    bool number = true;
    const int first = start.isEmpty() ? 1 : start.toInt(&number);
    if (!number || first < 1 || first > grid.labelsPerSheet())
        return usageError(QStringLiteral("--start takes a label of the first sheet, 1 to %1.")
                              .arg(grid.labelsPerSheet()));
    if (!SiteFormats::forInput(input) ||
        (!changedAgainst.isEmpty() && !SiteFormats::forInput(changedAgainst)))
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> rows = readSite(input);
    if (!rows)
        return Failed;
    QList<LabelRow> labels = LabelRows(*rows);
    if (!changedAgainst.isEmpty()) {
        const std::optional<ChannelRows> old = readSite(changedAgainst, true);
        if (!old)
            return Failed;
        labels = ChangedLabelRows(*rows, CompareSites(*rows, *old, false));
        if (labels.isEmpty()) {
            ShowMessage(QStringLiteral("No label differs from %1: no labels were written.")
                            .arg(changedAgainst));
            return Success;
        }
    }
    LabelSheetDocument sheet(labels, siteOf(input).siteName, SiteFingerprint::shown(input, *rows),
                             grid, first);
    return writePdf(sheet, output);
}

int ConvertCommand::writePdf(PagedDocument& document, const QString& output)
{
    const FileResult result = WritePdf(document, output).value_or(FileResult::failure(QString()));
    if (!result) {
        showBox(SiteFormats::writeFailure(SiteFormats::siteRecord(), result));
        return Failed;
    }
    return Success;
}

int ConvertCommand::exportLabels(const QString& input, const QString& database) const
{
    if (!SiteFormats::forInput(input))
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> rows = readSite(input);
    if (!rows)
        return Failed;
    const FileResult result = ExportLabelDatabase(*rows, LabelDatabase::fromArgument(database));
    ShowMessage(LabelExportReport(result, int(rows->size())));
    return result ? Success : Failed;
}

int ConvertCommand::checkSite(const QString& input) const
{
    if (!SiteFormats::forInput(input))
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> rows = readSite(input, true);
    if (!rows)
        return Unreadable;
    const QList<SiteProblem> problems = CheckSite(*rows);
    for (const SiteProblem& problem : problems)
        std::printf("%s\n", ProblemLine(problem).toLocal8Bit().constData());
    return problems.isEmpty() ? Success : Failed;
}

// State texts are compared only when both sites hold them: a list or a Corvane site has none.
int ConvertCommand::compareSites(const QString& first, const QString& second,
                                 const QString& record) const
{
    const SiteFormat* firstFormat = SiteFormats::forInput(first);
    const SiteFormat* secondFormat = SiteFormats::forInput(second);
    if (!firstFormat || !secondFormat)
        return usageError(SiteFormats::UnknownFileTypeText());
    const std::optional<ChannelRows> ours = readSite(first, true);
    const std::optional<ChannelRows> theirs = ours ? readSite(second, true) : std::nullopt;
    if (!theirs)
        return Unreadable;
    const bool states = firstFormat->holdsStateTexts && secondFormat->holdsStateTexts;
    if (!states)
        std::fputs("State texts are not compared: a list or a Corvane site holds none.\n\n",
                   stderr);
    const SiteComparison comparison = CompareSites(*ours, *theirs, states);
    for (const QString& line : DifferenceLines(comparison))
        std::printf("%s\n", line.toLocal8Bit().constData());
    if (!record.isEmpty()) {
        // The record reads from the first site to the second: the second is the new one.
        AlterationRecordDocument alterations(
            SiteFingerprint::describe(first, *ours, siteOf(first).siteName),
            SiteFingerprint::describe(second, *theirs, siteOf(second).siteName),
            CompareSites(*theirs, *ours, states), int(std::min(ours->size(), theirs->size())),
            QDateTime::currentDateTime());
        if (writePdf(alterations, record) != Success)
            return Failed;
    }
    return comparison.same() ? Success : Failed;
}

// A channel file's fingerprint is of its bytes, so that one that no longer reads as a site
// still has one; any other site's is of the channel file it saves as.
int ConvertCommand::printFingerprints(const QStringList& files, bool full) const
{
    for (const QString& file : files) {
        if (!SiteFormats::forInput(file))
            return usageError(SiteFormats::UnknownFileTypeText());
    }
    int status = Success;
    for (const QString& file : files) {
        QString error;
        QString sha;
        if (SiteFingerprint::isOfFileBytes(file)) {
            sha = Fingerprint::fullOfFile(file, error);
            if (sha.isEmpty())
                ShowMessage(
                    ModFunc::FailureText(QStringLiteral("Error occurred while opening."), error));
        } else if (const std::optional<ChannelRows> rows = readSite(file, true)) {
            sha = SiteFingerprint::full(file, *rows, error);
        }
        if (sha.isEmpty()) {
            status = Unreadable;
            continue;
        }
        std::printf("%s\t%s\n",
                    (full ? sha : Fingerprint::shortened(sha)).toLocal8Bit().constData(),
                    file.toLocal8Bit().constData());
    }
    return status;
}
