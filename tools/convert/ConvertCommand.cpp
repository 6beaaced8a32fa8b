#include "ConvertCommand.h"

#include "common/ConsoleDialogs.h"
#include "common/ModFileUtil.h"
#include "common/ShowMessage.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"
#include "labels/ExportLabelDatabase.h"
#include "labels/LabelDatabase.h"

#include <QFileInfo>

#include <cstdio>

using ModFunc::FailureText;
using ModFunc::ShowMessage;

namespace {

enum class SiteFormat { Unknown, Dip, Csv, Corvane };

// A Corvane site is its directory or its DChannel.cfg; a DChannel.cfg is written for a ".cfg"
// name or into an existing directory.
SiteFormat formatOf(const QString& path)
{
    if (path.endsWith(QLatin1String(".dip"), Qt::CaseInsensitive))
        return SiteFormat::Dip;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return SiteFormat::Csv;
    if (QFileInfo(path).isDir())
        return SiteFormat::Corvane;
    return SiteFormat::Unknown;
}

SiteFormat inputFormatOf(const QString& path)
{
    if (QFileInfo(path).fileName().compare(QLatin1String("DChannel.cfg"), Qt::CaseInsensitive) == 0)
        return SiteFormat::Corvane;
    return formatOf(path);
}

SiteFormat outputFormatOf(const QString& path)
{
    if (path.endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive))
        return SiteFormat::Corvane;
    return formatOf(path);
}

QString siteDirectoryOf(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? path : info.path();
}

int usageError(const QString& problem)
{
    std::fprintf(stderr, "%s\n\n%s", problem.toLocal8Bit().constData(),
                 ConvertCommand::usage().toLocal8Bit().constData());
    return ConvertCommand::UsageError;
}

QString unknownFileType()
{
    return QStringLiteral("Unknown file type - use a .dip, .csv or .cfg file name.");
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
        "answered Cancel, or OK with --yes.\n"
        "Exit status: 0 success; 1 the read failed, was cancelled or held more than 3072\n"
        "channels, or the write failed (OUTPUT is then not written); 2 usage error.\n");
}

int ConvertCommand::run(const QStringList& arguments)
{
    QStringList args = arguments;
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(usage().toLocal8Bit().constData(), stdout);
        return Success;
    }
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("zr415-convert %s\n", ZR415_VERSION);
        return Success;
    }
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    ConsoleDialogs console(yes);
    Dialogs* previous = Dialogs::install(&console);
    int status = UsageError;
    if (args.contains(QStringLiteral("--sites")))
        status = listSites(args);
    else if (args.contains(QStringLiteral("--labels")))
        status = exportLabels(console, args);
    else if (args.size() != 2)
        status = usageError(QStringLiteral("Expected an INPUT and an OUTPUT."));
    else
        status = convert(console, args[0], args[1]);
    Dialogs::install(previous);
    return status;
}

int ConvertCommand::listSites(const QStringList& arguments)
{
    if (arguments.size() != 2 || arguments[0] != QLatin1String("--sites"))
        return usageError(QStringLiteral("Expected --sites CONFIGDIR."));
    // The editor lists nothing for a missing directory; here that is most likely a typing error.
    if (!ModFileUtil::IsDirectory(arguments[1])) {
        std::fprintf(stderr, "No such directory: %s\n\n", arguments[1].toLocal8Bit().constData());
        return Failed;
    }
    QList<SiteInfoRecord> sites;
    ModCrvFile::RegisterSites(arguments[1], sites);
    for (qsizetype i = 1; i < sites.size(); ++i)
        std::printf("%s\t%s\n", sites[i].SiteName.toLocal8Bit().constData(),
                    sites[i].SiteDir.toLocal8Bit().constData());
    return Success;
}

int ConvertCommand::convert(const ConsoleDialogs& console, const QString& input,
                            const QString& output)
{
    if (inputFormatOf(input) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    if (outputFormatOf(output) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    ChannelTableModel table;
    table.SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
    if (!readSite(console, table, input))
        return Failed;
    return writeSite(table, output) ? Success : Failed;
}

// A site cut to the largest table by the maximum-channels check is not converted: a script
// would otherwise take the cut copy for the whole site.
bool ConvertCommand::readSite(const ConsoleDialogs& console, ChannelTableModel& table,
                              const QString& input)
{
    if (!readWholeSite(table, input))
        return false;
    const QString cut = ChannelTableModel::maximumChannelsText(table.channelCount());
    return !console.hasShown(cut);
}

bool ConvertCommand::readWholeSite(ChannelTableModel& table, const QString& input)
{
    const SiteFormat format = inputFormatOf(input);
    if (format == SiteFormat::Dip)
        return LoadDipFile(table, input);
    if (format == SiteFormat::Corvane)
        return importSite(table, siteDirectoryOf(input));
    const CsvLoadResult result = LoadCsvFile(table, input);
    if (!result.file)
        ShowMessage(
            FailureText(QStringLiteral("Error occurred while loading."), result.file.error));
    return result.file.ok && !result.aborted;
}

bool ConvertCommand::importSite(ChannelTableModel& table, const QString& siteDir)
{
    DigitalChannelList allocations;
    ModCrvFile::LoadDigitalChannels(siteDir, allocations);
    if (allocations.lastIndex() <= 0) {
        ShowMessage(QStringLiteral("No channel allocations found in %1")
                        .arg(ModFileUtil::JoinPath(siteDir, QStringLiteral("DChannel.cfg"))));
        return false;
    }
    return FillFromAllocations(table, allocations);
}

bool ConvertCommand::writeSite(const ChannelTableModel& table, const QString& output)
{
    const SiteFormat format = outputFormatOf(output);
    if (format == SiteFormat::Dip)
        return SaveDipFile(table, output);
    if (format == SiteFormat::Corvane)
        return SaveCorvaneChannelFile(table, siteDirectoryOf(output));
    const FileResult result = SaveCsvFile(table, output);
    if (!result)
        ShowMessage(FailureText(QStringLiteral("Error occurred while saving."), result.error));
    return result.ok;
}

int ConvertCommand::exportLabels(const ConsoleDialogs& console, const QStringList& arguments)
{
    if (arguments.size() != 3 || arguments[1] != QLatin1String("--labels"))
        return usageError(QStringLiteral("Expected INPUT --labels DB."));
    const QString& input = arguments[0];
    if (inputFormatOf(input) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    ChannelTableModel table;
    table.SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
    if (!readSite(console, table, input))
        return Failed;
    return ExportLabelDatabase(table, LabelDatabase::fromArgument(arguments[2])) ? Success : Failed;
}
