#pragma once

#include <QObject>

#include <functional>
#include <optional>

class CheckCommands;
class PagedDocument;
class PrintCommands;
class QPrinter;
class QWidget;
struct MainActions;

// The printer's side of printing: Print, Print Preview, Print labels and the alteration record
// through the system's print dialog; the label sheet setup, the issue text of Print setup and
// the label a partly used sheet starts at. The PDF exports are the commands' own.
class SitePrinting : public QObject
{
    Q_OBJECT

public:
    SitePrinting(QWidget& window, PrintCommands& commands, const CheckCommands& checks,
                 const MainActions& actions);

    // Replaces how the printer is chosen (tests print to a file); false when the user
    // cancelled.
    void setPrinterChooser(std::function<bool(QPrinter&)> chooser)
    {
        choosePrinter_ = std::move(chooser);
    }

    void PrintRecord();
    void PreviewRecord();
    void PrintLabels();
    void PrintChangedLabels();
    void PrintAlterationRecord();
    void SetupLabelSheet();
    void SetupPrint();

private:
    void print(PagedDocument& document, QPrinter& printer);
    void printLabels(bool changedOnly);
    std::optional<int> askFirstLabel(int labels);
    QString issueOf(const QString& sitePath) const;

    QWidget& window_;
    PrintCommands& commands_;
    std::function<bool(QPrinter&)> choosePrinter_;
    QString untitledIssue_; // a site without a file keeps its issue text while it is open
};
