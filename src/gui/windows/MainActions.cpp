#include "MainActions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace {

QAction* makeAction(QObject* owner, const char* name, const char* caption,
                    const QList<QKeySequence>& keys = {})
{
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    return action;
}

// A toolbar button shows only its picture; its key ("New", "Open", ...) names it.
void putOnToolbar(QAction* action, const char* key, const char* tooltip, const char* picture)
{
    action->setIcon(QIcon(QLatin1String(picture)));
    action->setToolTip(QLatin1String(tooltip));
    action->setData(QLatin1String(key));
}

QList<QKeySequence> keys(QKeySequence::StandardKey key)
{
    return QKeySequence::keyBindings(key);
}

// Windows binds no key to Quit; Ctrl+Q is the habit there too.
QList<QKeySequence> quitKeys()
{
    const QList<QKeySequence> platform = keys(QKeySequence::Quit);
    return platform.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : platform;
}

} // namespace

MainActions::MainActions(QObject* owner)
    : newSite(makeAction(owner, "MnuNew", "&New", keys(QKeySequence::New))),
      open(makeAction(owner, "MnuOpen", "&Open...", keys(QKeySequence::Open))),
      save(makeAction(owner, "MnuSave", "&Save", keys(QKeySequence::Save))),
      saveAs(makeAction(owner, "MnuSaveAs", "Save &as...")),
      reload(makeAction(owner, "MnuReload", "&Reload")),
      import(makeAction(owner, "MnuImport", "&Import...")),
      exportToCard(makeAction(owner, "MnuExport", "&Export to ZR415...")),
      labels(makeAction(owner, "MnuLabels", "Export to labels &database")),
      print(makeAction(owner, "MnuPrint", "Prin&t...", keys(QKeySequence::Print))),
      printPreview(makeAction(owner, "MnuPrintPreview", "Print Previe&w...")),
      exportPdf(makeAction(owner, "MnuExportPdf", "Export PD&F...")),
      printLabels(makeAction(owner, "MnuPrintLabels", "Print la&bels...")),
      exportLabelsPdf(makeAction(owner, "MnuExportLabelsPdf", "Export &labels PDF...")),
      labelSheetSetup(makeAction(owner, "MnuLabelSheet", "Label s&heet setup...")),
      printSetup(makeAction(owner, "MnuPrintSetup", "Print set&up...")),
      exportAlteration(
          makeAction(owner, "MnuExportAlteration", "Export alteration record for chec&king...")),
      printAlteration(
          makeAction(owner, "MnuPrintAlteration", "Print alteration record for checkin&g...")),
      printChangedLabels(
          makeAction(owner, "MnuPrintChangedLabels", "Print labels for differences onl&y...")),
      verifyCard(makeAction(owner, "MnuVerifyCard", "&Verify card...")),
      compareWith(makeAction(owner, "MnuCompare", "&Compare with...")),
      endComparison(makeAction(owner, "MnuEndCompare", "End co&mparison")),
      saveReport(makeAction(owner, "MnuSaveReport", "Save comparison re&port...")),
      nextDifference(
          makeAction(owner, "MnuNextDifference", "&Next difference", {QKeySequence(Qt::Key_F8)})),
      previousDifference(makeAction(owner, "MnuPreviousDifference", "&Previous difference",
                                    {QKeySequence(Qt::SHIFT | Qt::Key_F8)})),
      undo(makeAction(owner, "MnuUndo", "&Undo", keys(QKeySequence::Undo))),
      // Ctrl+Y as well everywhere: users come from Windows, where it is the habit.
      redo(makeAction(owner, "MnuRedo", "&Redo",
                      keys(QKeySequence::Redo) << QKeySequence(Qt::CTRL | Qt::Key_Y))),
      cut(makeAction(owner, "MnuCut", "Cu&t", keys(QKeySequence::Cut))),
      copy(makeAction(owner, "MnuCopy", "&Copy", keys(QKeySequence::Copy))),
      paste(makeAction(owner, "MnuPaste", "&Paste", keys(QKeySequence::Paste))),
      // The Delete key alone: some platforms also bind Ctrl+D to delete, which is Fill Down's.
      deleteCells(makeAction(owner, "MnuDelete", "&Delete", {QKeySequence(Qt::Key_Delete)})),
      fillDown(
          makeAction(owner, "MnuFillDown", "Fill Do&wn", {QKeySequence(Qt::CTRL | Qt::Key_D)})),
      find(makeAction(owner, "MnuFind", "&Find...", keys(QKeySequence::Find))),
      help(makeAction(owner, "MnuHelpContents", "&Help...", {QKeySequence(Qt::Key_F1)})),
      about(makeAction(owner, "MnuAbout", "&About ZR415Config...")),
      exit(makeAction(owner, "MnuExit", "E&xit", quitKeys()))
{
    putOnToolbar(newSite, "New", "New site", ":/toolbar/new.xpm");
    putOnToolbar(open, "Open", "Open site", ":/toolbar/open.xpm");
    putOnToolbar(import, "Import", "Import...", ":/toolbar/import.xpm");
    putOnToolbar(save, "Save", "Save site", ":/toolbar/save.xpm");
    putOnToolbar(exportToCard, "Export", "Export to ZR415", ":/toolbar/export.xpm");
    putOnToolbar(labels, "Labels", "Export to labels database", ":/toolbar/labels.xpm");
    // Redo's list may repeat Ctrl+Y where the platform binds it already.
    QList<QKeySequence> redoKeys;
    for (const QKeySequence& key : redo->shortcuts()) {
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    }
    redo->setShortcuts(redoKeys);
    undo->setEnabled(false);
    redo->setEnabled(false);
}

QList<QAction*> MainActions::toolbar() const
{
    return {newSite, open, import, save, nullptr, exportToCard, labels};
}

QList<QAction*> MainActions::all() const
{
    return {newSite,
            open,
            save,
            saveAs,
            reload,
            import,
            exportToCard,
            labels,
            print,
            printPreview,
            exportPdf,
            printLabels,
            exportLabelsPdf,
            labelSheetSetup,
            printSetup,
            exportAlteration,
            printAlteration,
            printChangedLabels,
            verifyCard,
            compareWith,
            endComparison,
            saveReport,
            nextDifference,
            previousDifference,
            undo,
            redo,
            cut,
            copy,
            paste,
            deleteCells,
            fillDown,
            find,
            help,
            about};
}
