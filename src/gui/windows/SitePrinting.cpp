#include "SitePrinting.h"

#include "FrmLabelSheet.h"
#include "LabelSheetSettings.h"
#include "MainActions.h"
#include "PrintProgressDialog.h"
#include "PrintSetupSettings.h"
#include "commands/CheckCommands.h"
#include "commands/PrintCommands.h"
#include "common/ShowMessage.h"
#include "print/AlterationRecordDocument.h"
#include "print/LabelSheetDocument.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

#include <QAction>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

SitePrinting::SitePrinting(QWidget& window, PrintCommands& commands, const CheckCommands& checks,
                           const MainActions& actions)
    : QObject(&window), window_(window), commands_(commands)
{
    choosePrinter_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &window_);
        return dialog.exec() == QDialog::Accepted;
    };
    commands_.setLabelSheetGrid(&LabelSheetSettings::Load);
    commands_.setIssue([this](const QString& sitePath) { return issueOf(sitePath); });
    commands_.setFirstLabelChooser([this](int labels) { return askFirstLabel(labels); });
    commands_.setProgress(
        [this](const QString& title) { return ShowPrintProgress(&window_, title); });
    connect(actions.print, &QAction::triggered, this, &SitePrinting::PrintRecord);
    connect(actions.printPreview, &QAction::triggered, this, &SitePrinting::PreviewRecord);
    connect(actions.exportPdf, &QAction::triggered, &commands_, &PrintCommands::ExportRecordPdf);
    connect(actions.printLabels, &QAction::triggered, this, &SitePrinting::PrintLabels);
    connect(actions.exportLabelsPdf, &QAction::triggered, &commands_,
            &PrintCommands::ExportLabelsPdf);
    connect(actions.labelSheetSetup, &QAction::triggered, this, &SitePrinting::SetupLabelSheet);
    connect(actions.printSetup, &QAction::triggered, this, &SitePrinting::SetupPrint);
    connect(actions.exportAlteration, &QAction::triggered, &commands_,
            &PrintCommands::ExportAlterationRecord);
    connect(actions.printAlteration, &QAction::triggered, this,
            &SitePrinting::PrintAlterationRecord);
    connect(actions.printChangedLabels, &QAction::triggered, this,
            &SitePrinting::PrintChangedLabels);
    // What a comparison makes is offered while there is one.
    const auto offer = [&checks, &actions] {
        for (QAction* action :
             {actions.exportAlteration, actions.printAlteration, actions.printChangedLabels})
            action->setEnabled(checks.comparing());
    };
    connect(&checks, &CheckCommands::comparisonChanged, this, offer);
    offer();
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

void SitePrinting::PrintLabels()
{
    printLabels(false);
}

void SitePrinting::PrintChangedLabels()
{
    printLabels(true);
}

// The grid is measured from the sheet's corner, so the labels are drawn from there too.
void SitePrinting::printLabels(bool changedOnly)
{
    const std::unique_ptr<LabelSheetDocument> sheet = commands_.labelSheet(changedOnly);
    if (!sheet)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    print(*sheet, printer);
}

void SitePrinting::PrintAlterationRecord()
{
    const std::unique_ptr<AlterationRecordDocument> record = commands_.alterationRecord();
    if (!record)
        return;
    QPrinter printer(QPrinter::HighResolution);
    print(*record, printer);
}

// A sheet partly used already is started where its first unused label is.
std::optional<int> SitePrinting::askFirstLabel(int labels)
{
    QInputDialog ask(&window_);
    ask.setObjectName(QStringLiteral("LabelStart"));
    ask.setWindowTitle(QStringLiteral("Print labels"));
    ask.setInputMode(QInputDialog::IntInput);
    ask.setLabelText(QStringLiteral("&Start at label (1 to %1, across then down the first "
                                    "sheet):")
                         .arg(labels));
    ask.setIntRange(1, labels);
    ask.setIntValue(1);
    if (ask.exec() != QDialog::Accepted)
        return std::nullopt;
    return ask.intValue();
}

QString SitePrinting::issueOf(const QString& sitePath) const
{
    return sitePath.isEmpty() ? untitledIssue_ : PrintSetupSettings::LoadIssue(sitePath);
}

// The issue text goes on the record of the open site's file, and stays with that file.
void SitePrinting::SetupPrint()
{
    const QString sitePath = commands_.sitePath();
    QInputDialog ask(&window_);
    ask.setObjectName(QStringLiteral("FrmPrintSetup"));
    ask.setWindowTitle(QStringLiteral("Print setup"));
    ask.setLabelText(QStringLiteral("&Issue or revision printed on the site record:"));
    ask.setTextValue(issueOf(sitePath));
    if (ask.exec() != QDialog::Accepted)
        return;
    if (sitePath.isEmpty())
        untitledIssue_ = ask.textValue().trimmed();
    else
        PrintSetupSettings::SaveIssue(sitePath, ask.textValue());
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
