#include "SitePrinting.h"

#include "FrmLabelSheet.h"
#include "LabelSheetSettings.h"
#include "MainActions.h"
#include "PrintProgressDialog.h"
#include "commands/PrintCommands.h"
#include "common/ShowMessage.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

SitePrinting::SitePrinting(QWidget& window, PrintCommands& commands, const MainActions& actions)
    : QObject(&window), window_(window), commands_(commands)
{
    choosePrinter_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &window_);
        return dialog.exec() == QDialog::Accepted;
    };
    commands_.setLabelSheetGrid(&LabelSheetSettings::Load);
    commands_.setProgress(
        [this](const QString& title) { return ShowPrintProgress(&window_, title); });
    connect(actions.print, &QAction::triggered, this, &SitePrinting::PrintRecord);
    connect(actions.printPreview, &QAction::triggered, this, &SitePrinting::PreviewRecord);
    connect(actions.exportPdf, &QAction::triggered, &commands_, &PrintCommands::ExportRecordPdf);
    connect(actions.printLabels, &QAction::triggered, this, &SitePrinting::PrintLabels);
    connect(actions.exportLabelsPdf, &QAction::triggered, &commands_,
            &PrintCommands::ExportLabelsPdf);
    connect(actions.labelSheetSetup, &QAction::triggered, this, &SitePrinting::SetupLabelSheet);
}

void SitePrinting::PrintRecord()
{
    SiteRecordDocument record = commands_.siteRecord();
    QPrinter printer(QPrinter::HighResolution);
    print(record, printer);
}

void SitePrinting::PreviewRecord()
{
    SiteRecordDocument record = commands_.siteRecord();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(record.preferredLayout());
    QPrintPreviewDialog preview(&printer, &window_);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(record.title());
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&record](QPrinter* shown) { PrintDocument(record, *shown); });
    preview.exec();
}

// The grid is measured from the sheet's corner, so the labels are drawn from there too.
void SitePrinting::PrintLabels()
{
    const std::unique_ptr<LabelSheetDocument> sheet = commands_.labelSheet();
    if (!sheet)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    print(*sheet, printer);
}

void SitePrinting::SetupLabelSheet()
{
    FrmLabelSheet setup(&window_);
    setup.setGrid(LabelSheetSettings::Load());
    if (setup.exec() == QDialog::Accepted)
        LabelSheetSettings::Save(setup.grid());
}

// A cancelled print never reaches the printer; a failed one says so.
void SitePrinting::print(PagedDocument& document, QPrinter& printer)
{
    printer.setPageLayout(document.preferredLayout());
    printer.setDocName(document.title());
    if (!choosePrinter_(printer))
        return;
    const PrintProgress progress = commands_.progressFor(document.title());
    if (PrintDrawnPages(document, printer, progress) == PrintOutcome::Failed)
        ModFunc::ShowMessage(
            ModFunc::FailureText(QStringLiteral("Error occurred while printing."),
                                 QStringLiteral("The printer could not be started.")));
}
