#pragma once

#include <QList>
#include <QString>

class QAction;
class QObject;

// One action per command, shared by the menus and the toolbar, each with its object name,
// caption, keys, picture and tooltip. FrmDips places them and connects them.
struct MainActions
{
    explicit MainActions(QObject* owner);

    QAction* newSite;
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* reload;
    QAction* import;
    QAction* exportToCard;
    QAction* labels;
    QAction* print;
    QAction* printPreview;
    QAction* exportPdf;
    QAction* printLabels;
    QAction* exportLabelsPdf;
    QAction* labelSheetSetup;
    QAction* printSetup;
    QAction* exportAlteration;
    QAction* printAlteration;
    QAction* printChangedLabels;
    QAction* verifyCard;
    QAction* compareWith;
    QAction* endComparison;
    QAction* saveReport;
    QAction* nextDifference;
    QAction* previousDifference;
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* deleteCells;
    QAction* fillDown;
    QAction* find;
    QAction* help;
    QAction* about;
    QAction* exit;

    // The toolbar's buttons from left to right; nullptr stands for the separator.
    QList<QAction*> toolbar() const;
    QList<QAction*> all() const;
};
