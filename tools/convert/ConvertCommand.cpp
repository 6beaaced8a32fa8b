#include "ConvertCommand.h"

#include "commands/SiteFormats.h"
#include "common/ConsoleDialogs.h"
#include "common/ModFileUtil.h"
#include "common/ShowMessage.h"
#include "corvane/ModCrvFile.h"
#include "document/SiteSize.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QCommandLineParser>

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
        "  zr415-convert --sites CONFIGDIR           list the Corvane sites below CONFIGDIR\n"
        "  zr415-convert --help | --version\n"
        "\n"
        "INPUT is a .dip channel file, a .csv channel list, or a Corvane site (its directory\n"
        "or its DChannel.cfg). OUTPUT is a .dip or .csv name, a .cfg name or an existing\n"
        "directory (a DChannel.cfg is written into that directory).\n"
        "Every message the editor would show is written to standard error; questions are\n"
        "answered Cancel, or OK with --yes. A site of more than 3072 channels is written\n"
        "only with --yes, cut to its first 3072. \"--\" ends the options.\n"
        "Exit status: 0 success; 1 the read failed or was cancelled, the site was cut, or\n"
        "the write failed (OUTPUT is then not written); 2 usage error.\n");
}

int ConvertCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption yes(QStringLiteral("yes"), QString());
    const QCommandLineOption labels(QStringLiteral("labels"), QString(), QStringLiteral("DB"));
    const QCommandLineOption sites(QStringLiteral("sites"), QString(), QStringLiteral("CONFIGDIR"));
    parser.addOptions({help, version, yes, labels, sites});
    if (!parser.parse(QStringList{QStringLiteral("zr415-convert")} + arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(usage().toLocal8Bit().constData(), stdout);
        return Success;
    }
    if (parser.isSet(version)) {
        std::printf("zr415-convert %s\n", ZR415_VERSION);
        return Success;
    }
    const QStringList positional = parser.positionalArguments();
    ConsoleDialogs console(parser.isSet(yes));
    Dialogs* previous = Dialogs::install(&console);
    const ConvertCommand command(parser.isSet(yes));
    int status = UsageError;
    if (parser.isSet(sites))
        status = positional.isEmpty() && !parser.isSet(labels)
                     ? listSites(parser.value(sites))
                     : usageError(QStringLiteral("Expected --sites CONFIGDIR."));
    else if (parser.isSet(labels))
        status = positional.size() == 1 ? command.exportLabels(positional[0], parser.value(labels))
                                        : usageError(QStringLiteral("Expected INPUT --labels DB."));
    else if (positional.size() == 2)
        status = command.convert(positional[0], positional[1]);
    else
        status = usageError(QStringLiteral("Expected an INPUT and an OUTPUT."));
    Dialogs::install(previous);
    return status;
}

int ConvertCommand::listSites(const QString& configDir)
{
    // The editor lists nothing for a missing directory; here that is most likely a typing error.
    if (!ModFileUtil::IsDirectory(configDir)) {
        std::fprintf(stderr, "No such directory: %s\n\n", configDir.toLocal8Bit().constData());
        return Failed;
    }
    const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(configDir);
    for (const MessageRequest& failure : scan.failures)
        showBox(failure);
    for (qsizetype i = 1; i < scan.sites.size(); ++i)
        std::printf("%s\t%s\n", scan.sites[i].SiteName.toLocal8Bit().constData(),
                    scan.sites[i].SiteDir.toLocal8Bit().constData());
    return Success;
}

std::optional<ChannelRows> ConvertCommand::readSite(const QString& input) const
{
    const SiteFormat* format = SiteFormats::forInput(input);
    const SiteRead read =
        format->read({input, DefaultRows(SiteSize::choiceChannels(0)), SiteFormats::AskCsvQuestion});
    for (const QString& notice : read.notices)
        ShowMessage(notice);
    if (const std::optional<MessageRequest> failure = SiteFormats::readFailure(*format, read))
        showBox(*failure);
    switch (read.outcome) {
    case SiteRead::Outcome::Loaded:
        return read.rows;
    case SiteRead::Outcome::Cut:
        if (yes_)
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
        outputFormat->write(*rows, SiteFormats::writeTarget(*outputFormat, output));
    if (!result) {
        showBox(SiteFormats::writeFailure(*outputFormat, result));
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
