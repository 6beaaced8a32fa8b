#include "CheckCommands.h"

#include "DocumentCommands.h"
#include "FileDialogSettings.h"
#include "SiteFingerprint.h"
#include "SiteFormats.h"
#include "checks/Fingerprint.h"
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
#include <QFileInfo>
#include <QSet>

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
    connect(&otherFile_, &ComparedFile::changedOnDisk, this, &CheckCommands::readOtherAgain);
    // The editor's own Save may have written the other file.
    connect(&commands, &DocumentCommands::fileUsed, &otherFile_, &ComparedFile::checkNow);
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
void CheckCommands::compareWithFile(const QString& path)
{
    const SiteFormat* format = SiteFormats::forInput(path);
    if (!format) {
        ShowMessage(SiteFormats::UnknownFileTypeText());
        return;
    }
    const SiteRead read =
        format->read({path, DefaultRows(SiteSize::choiceChannels(0)), SiteFormats::AskCsvQuestion});
    if (!read.applies()) {
        SiteFormats::showRead(*format, read);
        return;
    }
    // The open site did not change, so what the read says belongs with the comparison, not in a
    // box that reads as if the site had been loaded.
    readNotices_ = read.notices;
    compareWithSite(read.rows, format->holdsStateTexts, path);
}

void CheckCommands::compareWithSite(const ChannelRows& other, bool states, const QString& path)
{
    otherPath_ = path;
    otherFile_.follow(path, other);
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

// The card's file against the bytes Save writes for the site: reading it as a site would take
// missing records for spares.
void CheckCommands::VerifyCard()
{
    commands_.FinishEdit();
    FileDialogRequest request = FileDialogSettings::verifyCard();
    request.directory = dirs_.cfPath;
    request.fileName = commands_.site().siteFileTitle;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return;
    const CardCheck check = CheckCard(*path, EncodeDipFile(table_.rows()), readCard_);
    Dialogs::current().showMessage(VerifyCardBox(check, *path, table_.channelCount()));
}

void CheckCommands::ExportAndVerify()
{
    const std::optional<QString> path = commands_.ExportToCard();
    if (!path)
        return;
    const CardCheck check = CheckCard(*path, EncodeDipFile(table_.rows()), readCard_);
    if (check.verified()) {
        ShowMessage(QStringLiteral("Card verified: %1 channels written to %2\r\nFingerprint %3.")
                        .arg(table_.channelCount())
                        .arg(native(*path), check.fingerprint));
        return;
    }
    const QString text =
        !check.readError.isEmpty()
            ? QStringLiteral("The card could not be read back to verify it:\r\n%1\r\n%2")
                  .arg(native(*path), check.readError)
            : QStringLiteral("The card does not hold what was written to %1.\r\n%2\r\n"
                             "Export to the card again, or use another card.")
                  .arg(native(*path), check.difference);
    AskUser(text, EditorTitle(), MessageIcon::Critical, MessageButtons::Ok);
}

void CheckCommands::EndComparison()
{
    if (!comparing())
        return;
    marks_.clear();
    otherPath_.clear();
    otherFile_.stop();
    readNotices_.clear();
    comparison_ = {};
    emit comparisonChanged();
}

// Quietly: the notices were shown when it was first read. One that no longer reads ends the
// comparison, which would otherwise show what the file no longer holds.
void CheckCommands::readOtherAgain()
{
    const QString path = otherPath_;
    const SiteFormat* format = SiteFormats::forInput(path);
    const SiteRead read =
        format->read({path, DefaultRows(SiteSize::choiceChannels(0)), SiteFormats::AskCsvQuestion});
    if (read.applies()) {
        readNotices_ = read.notices;
        compareWithSite(read.rows, marks_.statesCompared(), path);
        return;
    }
    EndComparison();
    SiteFormats::showRead(*format, read);
    ShowMessage(QStringLiteral("%1 changed and could not be read again: the comparison has ended.")
                    .arg(native(path)));
}

namespace {

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

} // namespace

// Both sites as they were compared, so that the report shows what was checked against what.
QStringList CheckCommands::reportHead() const
{
    const SiteState& site = commands_.site();
    const QString ours = site.sitePath.isEmpty() ? site.siteName : native(site.sitePath);
    const QString oursTime =
        site.sitePath.isEmpty() ? QString() : timeText(QFileInfo(site.sitePath).lastModified());
    QSet<int> rows;
    for (const SiteComparison::Cell& cell : comparison().cells)
        rows.insert(cell.row);
    int onlyOne = 0;
    for (const SiteComparison::Extra& extra : comparison().extras)
        onlyOne += extra.last - extra.first + 1;
    const QString yesNo[] = {QStringLiteral("No"), QStringLiteral("Yes")};
    return {QStringLiteral("This site,") + QuotedCsvField(ours),
            QStringLiteral("This site modified,") + oursTime,
            QStringLiteral("This site fingerprint,") + Fingerprint::ofSite(table_.rows()),
            QStringLiteral("This site unsaved changes,") + yesNo[commands_.isModified()],
            QStringLiteral("Other site,") + QuotedCsvField(native(otherPath_)),
            QStringLiteral("Other site modified,") + timeText(QFileInfo(otherPath_).lastModified()),
            QStringLiteral("Other site fingerprint,") + QuotedCsvField(otherFile_.fingerprint()),
            QStringLiteral("Date,") + timeText(QDateTime::currentDateTime()),
            QStringLiteral("Differences,%1").arg(comparison().count()),
            QStringLiteral("Channels differing,%1").arg(rows.size()),
            QStringLiteral("Channels only in one site,%1").arg(onlyOne)};
}

// The differences for the checking record: both sites, the date and the counts first, then a
// line each.
void CheckCommands::SaveReport()
{
    commands_.FinishEdit();
    if (!comparing())
        return;
    FileDialogRequest request = FileDialogSettings::report();
    request.directory = dirs_.filePath;
    const QString site = commands_.site().siteName;
    request.fileName =
        (site.isEmpty() ? QStringLiteral("site") : site) + QStringLiteral(" differences.csv");
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return;
    QStringList lines = reportHead();
    lines.append(QStringLiteral("Channel,Column,This site,Other site"));
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
