#include "PrintCommands.h"

#include "CheckCommands.h"
#include "DocumentCommands.h"
#include "FileDialogSettings.h"
#include "common/ShowMessage.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "document/SitePaths.h"
#include "labels/LabelRows.h"
#include "print/AlterationRecordDocument.h"
#include "print/ChangedLabels.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using ModFunc::ShowMessage;

PrintCommands::PrintCommands(DocumentCommands& commands, ChannelTableModel& table,
                             const CheckCommands& checks, DirSettings& dirs, QObject* parent)
    : QObject(parent), commands_(commands), table_(table), checks_(checks), dirs_(dirs)
{}

PrintedSite PrintCommands::printedSite()
{
    commands_.FinishEdit();
    const SiteState& site = commands_.site();
    const QString name = site.siteName.isEmpty() ? QStringLiteral("Untitled site") : site.siteName;
    return PrintedSite::of(table_.rows(), name, site.siteFileTitle, issue_(site.sitePath));
}

SiteRecordDocument PrintCommands::siteRecord()
{
    return SiteRecordDocument(printedSite());
}

std::unique_ptr<LabelSheetDocument> PrintCommands::labelSheet(bool changedOnly)
{
    const PrintedSite site = printedSite();
    const LabelSheetGrid grid = grid_();
    if (const QString problem = grid.problem(); !problem.isEmpty()) {
        ShowMessage(QStringLiteral("The labels cannot be printed on this label stock:\r\n%1\r\n"
                                   "Change it in File > Label sheet setup.")
                        .arg(problem));
        return nullptr;
    }
    QList<LabelRow> labels = LabelRows(site.rows);
    if (changedOnly) {
        labels = ChangedLabelRows(site.rows, checks_.comparison());
        if (!checks_.comparing() || labels.isEmpty()) {
            ShowMessage(QStringLiteral("No label differs from the compared site."));
            return nullptr;
        }
    }
    const std::optional<int> first = chooseFirstLabel_(grid.labelsPerSheet());
    if (!first)
        return nullptr;
    return std::make_unique<LabelSheetDocument>(labels, site.siteName, site.fingerprint, grid,
                                                *first);
}

std::unique_ptr<AlterationRecordDocument> PrintCommands::alterationRecord()
{
    const PrintedSite site = printedSite();
    if (!checks_.comparing())
        return nullptr;
    AlteredSite after;
    after.siteName = site.siteName;
    after.file = QDir::toNativeSeparators(commands_.site().sitePath);
    after.modified = QFileInfo(commands_.site().sitePath).lastModified();
    after.fingerprint = site.fingerprint;
    after.unsaved = commands_.isModified();
    const ComparedFile& other = checks_.otherFile();
    AlteredSite before;
    before.siteName = SitePaths::StripExtension(QFileInfo(other.path()).fileName());
    before.file = QDir::toNativeSeparators(other.path());
    before.modified = QFileInfo(other.path()).lastModified();
    before.fingerprint = other.fingerprint();
    return std::make_unique<AlterationRecordDocument>(
        before, after, checks_.comparison(), std::min(int(site.rows.size()), other.channels()),
        site.printed);
}

QString PrintCommands::sitePath() const
{
    return commands_.site().sitePath;
}

PrintProgress PrintCommands::progressFor(const QString& title) const
{
    return makeProgress_ ? makeProgress_(title) : PrintProgress();
}

void PrintCommands::ExportRecordPdf()
{
    const PrintedSite site = printedSite();
    SiteRecordDocument record(site);
    writePdf(record, QStringLiteral("Export PDF"), site.siteName);
}

void PrintCommands::ExportLabelsPdf()
{
    if (const std::unique_ptr<LabelSheetDocument> sheet = labelSheet())
        writePdf(*sheet, QStringLiteral("Export labels PDF"),
                 sheet->siteName() + QStringLiteral(" labels"));
}

void PrintCommands::ExportAlterationRecord()
{
    if (const std::unique_ptr<AlterationRecordDocument> record = alterationRecord())
        writePdf(*record, QStringLiteral("Export alteration record"),
                 printedSite().siteName + QStringLiteral(" alterations"));
}

// A cancelled job writes nothing and says nothing; a failed one says why.
void PrintCommands::writePdf(PagedDocument& document, const QString& dialogTitle,
                             const QString& fileName)
{
    FileDialogRequest request = FileDialogSettings::pdf(dialogTitle);
    request.directory = dirs_.filePath;
    request.fileName = fileName + QStringLiteral(".pdf");
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return;
    const std::optional<FileResult> result =
        WritePdf(document, *path, progressFor(document.title()));
    if (result && !*result)
        ShowMessage(
            ModFunc::FailureText(QStringLiteral("Error occurred while saving."), result->error));
}
