#pragma once

#include "print/LabelSheetGrid.h"
#include "print/PagedDocument.h"
#include "print/PrintedSite.h"

#include <QObject>

#include <functional>
#include <memory>

class ChannelTableModel;
class DocumentCommands;
class LabelSheetDocument;
class SiteRecordDocument;
struct DirSettings;

// The commands that put the site on paper or in a PDF: the site record and the relay label
// sheet. Each first ends the cell edit in progress, so it prints what the grid shows.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    PrintCommands(DocumentCommands& commands, ChannelTableModel& table, DirSettings& dirs,
                  QObject* parent = nullptr);

    // The label stock, read again for every label job (the editor keeps it in its settings).
    void setLabelSheetGrid(std::function<LabelSheetGrid()> grid) { grid_ = std::move(grid); }
    // Makes what is told of the progress of a job of the given title; none by default.
    void setProgress(std::function<PrintProgress(const QString& title)> makeProgress)
    {
        makeProgress_ = std::move(makeProgress);
    }

    // The open site as the record shows it, dated today; ends the cell edit first.
    PrintedSite printedSite();
    SiteRecordDocument siteRecord();
    // The label sheet on the stock of the settings; nullptr after a box has said why the stock
    // cannot be printed on.
    std::unique_ptr<LabelSheetDocument> labelSheet();
    PrintProgress progressFor(const QString& title) const;

    void ExportRecordPdf();
    void ExportLabelsPdf();

private:
    void writePdf(PagedDocument& document, const QString& dialogTitle, const QString& fileName);

    DocumentCommands& commands_;
    ChannelTableModel& table_;
    DirSettings& dirs_;
    std::function<LabelSheetGrid()> grid_ = [] { return LabelSheetGrid(); };
    std::function<PrintProgress(const QString&)> makeProgress_;
};
