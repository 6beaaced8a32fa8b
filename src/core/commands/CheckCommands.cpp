#include "CheckCommands.h"

#include "DocumentCommands.h"
#include "FileDialogSettings.h"
#include "SiteFormats.h"
#include "common/AtomicFile.h"
#include "common/ShowMessage.h"
#include "common/Windows1252.h"
#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "document/SiteSize.h"

#include <QDateTime>
#include <QDir>

using ModFunc::ShowMessage;

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

CheckCommands::CheckCommands(DocumentCommands& commands, ChannelTableModel& table,
                             DirSettings& dirs, QObject* parent)
    : QObject(parent), commands_(commands), table_(table), dirs_(dirs), marks_(table)
{
    connect(&commands, &DocumentCommands::siteReplaced, this, &CheckCommands::EndComparison);
    connect(&table, &ChannelTableModel::siteDataChanged, this, &CheckCommands::followTable);
    connect(&table, &QAbstractItemModel::rowsInserted, this, &CheckCommands::followTable);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, &CheckCommands::followTable);
    connect(&table, &QAbstractItemModel::modelReset, this, &CheckCommands::followTable);
}

bool CheckCommands::comparing() const
{
    return marks_.active();
}

void CheckCommands::followTable()
{
    if (!comparing())
        return;
    comparison_ = CompareSites(table_.rows(), marks_.otherRows(), marks_.statesCompared());
    emit comparisonChanged();
}

// Reads the other site as zr415-convert reads an INPUT: a list into one unit of default rows.
bool CheckCommands::compareWithFile(const QString& path)
{
    const SiteFormat* format = SiteFormats::forInput(path);
    if (!format) {
        ShowMessage(SiteFormats::UnknownFileTypeText());
        return false;
    }
    const SiteRead read =
        format->read({path, DefaultRows(SiteSize::choiceChannels(0)), SiteFormats::AskCsvQuestion});
    SiteFormats::showRead(*format, read);
    if (!read.applies())
        return false;
    compareWithSite(read.rows, format->holdsStateTexts, path);
    return true;
}

void CheckCommands::compareWithSite(const ChannelRows& other, bool states, const QString& path)
{
    otherPath_ = path;
    marks_.set(other, states);
    followTable();
}

void CheckCommands::CompareWith()
{
    commands_.FinishEdit();
    FileDialogRequest request = FileDialogSettings::compareWith();
    request.directory = dirs_.filePath;
    if (const std::optional<QString> path = Dialogs::current().chooseFile(request))
        compareWithFile(*path);
}

void CheckCommands::VerifyCard()
{
    commands_.FinishEdit();
    FileDialogRequest request = FileDialogSettings::verifyCard();
    request.directory = dirs_.cfPath;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path || !compareWithFile(*path))
        return;
    const SiteComparison& differences = comparison();
    if (differences.same()) {
        ShowMessage(QStringLiteral("Card verified: %1 channels in %2 match the site.")
                        .arg(table_.channelCount())
                        .arg(native(*path)));
        return;
    }
    const QString places = differences.count() == 1
                               ? QStringLiteral("1 place")
                               : QStringLiteral("%1 places").arg(differences.count());
    AskUser(QStringLiteral("%1 differs from the site in %2; the first is %3.")
                .arg(native(*path), places, table_.label(differences.firstRow())),
            EditorTitle(), MessageIcon::Exclamation, MessageButtons::Ok);
}

void CheckCommands::ExportAndVerify()
{
    const std::optional<QString> path = commands_.ExportToCard();
    if (!path)
        return;
    const CardCheck check = CheckCard(*path, EncodeDipFile(table_.rows()), readCard_);
    if (check.verified()) {
        ShowMessage(QStringLiteral("Card verified: %1 channels written to %2")
                        .arg(table_.channelCount())
                        .arg(native(*path)));
        return;
    }
    const QString text =
        !check.readError.isEmpty()
            ? QStringLiteral("The card could not be read back to verify it:\r\n%1\r\n%2")
                  .arg(native(*path), check.readError)
            : QStringLiteral("The card does not hold what was written to %1: %2 differs.\r\n"
                             "Export to the card again, or use another card.")
                  .arg(native(*path), check.whereText());
    AskUser(text, EditorTitle(), MessageIcon::Critical, MessageButtons::Ok);
}

void CheckCommands::EndComparison()
{
    if (!comparing())
        return;
    marks_.clear();
    otherPath_.clear();
    comparison_ = {};
    emit comparisonChanged();
}

// The differences for the checking record: both sites and the date first, then a line each.
void CheckCommands::SaveReport()
{
    commands_.FinishEdit();
    if (!comparing())
        return;
    FileDialogRequest request = FileDialogSettings::report();
    request.directory = dirs_.filePath;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return;
    const QString site = commands_.site().sitePath.isEmpty() ? commands_.site().siteName
                                                             : native(commands_.site().sitePath);
    QStringList lines{QStringLiteral("This site,") + QuotedCsvField(site),
                      QStringLiteral("Other site,") + QuotedCsvField(native(otherPath_)),
                      QStringLiteral("Date,") + QDate::currentDate().toString(Qt::ISODate),
                      QStringLiteral("Channel,Column,This site,Other site")};
    for (const QString& line : DifferenceLines(comparison())) {
        QStringList fields = line.split(u'\t');
        for (QString& field : fields)
            field = QuotedCsvField(field);
        lines.append(fields.join(u','));
    }
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const FileResult result = AtomicFile::write(*path, Windows1252::encode(text));
    if (!result)
        ShowMessage(
            ModFunc::FailureText(QStringLiteral("Error occurred while saving."), result.error));
}
