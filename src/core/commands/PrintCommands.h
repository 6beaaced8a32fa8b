#pragma once

#include "print/LabelSheetGrid.h"
#include "print/PagedDocument.h"
#include "print/PrintedSite.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class AlterationRecordDocument;
class ChannelTableModel;
class CheckCommands;
class DocumentCommands;
class LabelSheetDocument;
class SiteRecordDocument;
struct DirSettings;

// The commands that put the site on paper or in a PDF: the site record, the relay label sheet
// and, while a site is compared, the alteration record and the labels of what changed. Each
// first ends the cell edit in progress, so it prints what the grid shows.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    PrintCommands(DocumentCommands& commands, ChannelTableModel& table, const CheckCommands& checks,
                  DirSettings& dirs, QObject* parent = nullptr);

    // The label stock, read again for every label job (the editor keeps it in its settings).
    void setLabelSheetGrid(std::function<LabelSheetGrid()> grid) { grid_ = std::move(grid); }
    // The issue or revision text printed on the record of a site file (kept per file).
    void setIssue(std::function<QString(const QString& sitePath)> issue)
    {
        issue_ = std::move(issue);
    }
    // Asks which label of the first sheet to start at (1 to `labels`); nothing when the user
    // cancelled. Without it the sheet starts at its first label.
    void setFirstLabelChooser(std::function<std::optional<int>(int labels)> choose)
    {
        chooseFirstLabel_ = std::move(choose);
    }
    // Makes what is told of the progress of a job of the given title; none by default.
    void setProgress(std::function<PrintProgress(const QString& title)> makeProgress)
    {
        makeProgress_ = std::move(makeProgress);
    }

    // The open site as the record shows it, dated now; ends the cell edit first.
    PrintedSite printedSite();
    SiteRecordDocument siteRecord();
    // The label sheet on the stock of the settings, every label or those of the channels that
    // differ from the compared site; nullptr after a box has said why there is none to print,
    // or when the user cancelled.
    std::unique_ptr<LabelSheetDocument> labelSheet(bool changedOnly = false);
    // From the compared file (old) to the open site (new); nullptr when nothing is compared.
    std::unique_ptr<AlterationRecordDocument> alterationRecord();
    PrintProgress progressFor(const QString& title) const;
    // The open site's file, whose issue text the record prints; empty for a site never saved.
    QString sitePath() const;

    void ExportRecordPdf();
    void ExportLabelsPdf();
    void ExportAlterationRecord();

private:
    void writePdf(PagedDocument& document, const QString& dialogTitle, const QString& fileName);

    DocumentCommands& commands_;
    ChannelTableModel& table_;
    const CheckCommands& checks_;
    DirSettings& dirs_;
    std::function<LabelSheetGrid()> grid_ = [] { return LabelSheetGrid(); };
    std::function<QString(const QString&)> issue_ = [](const QString&) { return QString(); };
    std::function<std::optional<int>(int)> chooseFirstLabel_ = [](int) { return 1; };
    std::function<PrintProgress(const QString&)> makeProgress_;
};
