#pragma once

#include <QObject>

#include <functional>

class PagedDocument;
class PrintCommands;
class QPrinter;
class QWidget;
struct MainActions;

// The printer's side of printing: Print, Print Preview and Print labels through the system's
// print dialog, and the label sheet setup. The PDF exports are the commands' own.
class SitePrinting : public QObject
{
    Q_OBJECT

public:
    SitePrinting(QWidget& window, PrintCommands& commands, const MainActions& actions);

    // Replaces how the printer is chosen (tests print to a file); false when the user
    // cancelled.
    void setPrinterChooser(std::function<bool(QPrinter&)> chooser)
    {
        choosePrinter_ = std::move(chooser);
    }

    void PrintRecord();
    void PreviewRecord();
    void PrintLabels();
    void SetupLabelSheet();

private:
    void print(PagedDocument& document, QPrinter& printer);

    QWidget& window_;
    PrintCommands& commands_;
    std::function<bool(QPrinter&)> choosePrinter_;
};
