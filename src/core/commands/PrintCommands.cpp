#include "PrintCommands.h"

#include "DocumentCommands.h"
#include "FileDialogSettings.h"
#include "common/ShowMessage.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "labels/LabelRows.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

using ModFunc::ShowMessage;

PrintCommands::PrintCommands(DocumentCommands& commands, ChannelTableModel& table,
                             DirSettings& dirs, QObject* parent)
    : QObject(parent), commands_(commands), table_(table), dirs_(dirs)
{}

PrintedSite PrintCommands::printedSite()
{
    commands_.FinishEdit();
    const SiteState& site = commands_.site();
    const QString name = site.siteName.isEmpty() ? QStringLiteral("Untitled site") : site.siteName;
    return PrintedSite::of(table_.rows(), name, site.siteFileTitle);
}

SiteRecordDocument PrintCommands::siteRecord()
{
    return SiteRecordDocument(printedSite());
}

std::unique_ptr<LabelSheetDocument> PrintCommands::labelSheet()
{
    const PrintedSite site = printedSite();
    const LabelSheetGrid grid = grid_();
    if (const QString problem = grid.problem(); !problem.isEmpty()) {
        ShowMessage(QStringLiteral("The labels cannot be printed on this label stock:\r\n%1\r\n"
                                   "Change it in File > Label sheet setup.")
                        .arg(problem));
        return nullptr;
    }
    return std::make_unique<LabelSheetDocument>(LabelRows(site.rows), site.siteName,
                                                site.fingerprint, grid);
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
