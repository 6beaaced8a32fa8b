#pragma once

#include <QDialog>

class QTextBrowser;

// The help window: one document of the program's resources in a read-only rich-text box.
class FrmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit FrmHelp(QWidget* parent = nullptr);

    // Loads help document `number` afresh and shows it modally from its top; returns when
    // the user has closed the window. A document the program does not hold is said in the box.
    void ShowHelp(int number);

    // F1 in `window` shows help document `number`.
    static void AddHelpKey(QWidget& window, int number);

    // Puts help document `number` into the box, without showing the window. Answers false
    // (and says so in the box) when the program holds no such document.
    bool LoadDocument(int number);

private:
    QTextBrowser* rtb1_;
};
