#include "ConvertCommand.h"

#include "common/ConsoleDialogs.h"
#include "common/ShowMessage.h"
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

enum class SiteFormat { Unknown, Dip, Csv };

SiteFormat formatOf(const QString& path)
{
    if (path.endsWith(QLatin1String(".dip"), Qt::CaseInsensitive))
        return SiteFormat::Dip;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return SiteFormat::Csv;
    return SiteFormat::Unknown;
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
        "  zr415-convert --help | --version\n"
        "\n"
        "INPUT is a .dip channel file or a .csv channel list; OUTPUT is a .dip or .csv name.\n"
        "Every message the editor would show is written to standard error; questions are\n"
        "answered Cancel, or OK with --yes.\n"
        "Exit status: 0 success, 1 the read or the write failed, 2 usage error.\n");
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
    if (args.contains(QStringLiteral("--labels")))
        status = exportLabels(args);
    else if (args.size() != 2)
        status = usageError(QStringLiteral("Expected an INPUT and an OUTPUT."));
    else
        status = convert(args[0], args[1]);
    Dialogs::install(previous);
    return status;
}

int ConvertCommand::convert(const QString& input, const QString& output)
{
    if (formatOf(input) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    if (formatOf(output) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    ChannelTableModel table;
    table.SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
    if (!readSite(table, input))
        return Failed;
    return writeSite(table, output) ? Success : Failed;
}

bool ConvertCommand::readSite(ChannelTableModel& table, const QString& input)
{
    if (formatOf(input) == SiteFormat::Dip)
        return LoadDipFile(table, input);
    const CsvLoadResult result = LoadCsvFile(table, input);
    if (!result.file)
        ShowMessage(FailureText(QStringLiteral("Error occurred while loading."), result.file.error));
    return result.file.ok && !result.aborted;
}

bool ConvertCommand::writeSite(const ChannelTableModel& table, const QString& output)
{
    if (formatOf(output) == SiteFormat::Dip)
        return SaveDipFile(table, output);
    const FileResult result = SaveCsvFile(table, output);
    if (!result)
        ShowMessage(FailureText(QStringLiteral("Error occurred while saving."), result.error));
    return result.ok;
}

int ConvertCommand::exportLabels(const QStringList& arguments)
{
    if (arguments.size() != 3 || arguments[1] != QLatin1String("--labels"))
        return usageError(QStringLiteral("Expected INPUT --labels DB."));
    const QString& input = arguments[0];
    if (formatOf(input) == SiteFormat::Unknown)
        return usageError(unknownFileType());
    ChannelTableModel table;
    table.SetChannelCount(ChannelTableModel::choiceChannels(0), ChannelTableModel::FillAllRows);
    if (!readSite(table, input))
        return Failed;
    return ExportLabelDatabase(table, LabelDatabase::fromArgument(arguments[2])) ? Success : Failed;
}
