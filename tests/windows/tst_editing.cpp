#include "../support/CorvaneSite.h"
#include "../support/GridTyping.h"
#include "../support/TestFiles.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DocumentCommands.h"
#include "document/GridClipboard.h"
#include "windows/ChannelGridView.h"
#include "windows/CommandLineOpen.h"
#include "windows/FindBar.h"
#include "windows/FrmDips.h"
#include "windows/GridEditing.h"
#include "windows/ModGlobal.h"
#include "windows/UndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <memory>

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup()
    {
        window.reset();
        dialogs.reset();
    }

    void editKeysWorkOnTheGrid_data();
    void editKeysWorkOnTheGrid();
    void editMenuFinishesTheCellEditFirst_data();
    void editMenuFinishesTheCellEditFirst();
    void closedEditorIsNotCommittedAgain();
    void undoingBackToTheSavedStateClearsModified();
    void undoingAShrinkRestoresTheDroppedChannels();
    void openingClearsTheHistory_data();
    void openingClearsTheHistory();
    void pasteWritesFromTheCurrentCell_data();
    void pasteWritesFromTheCurrentCell();
    void pasteOnTheChanColumnSkipsIt_data();
    void pasteOnTheChanColumnSkipsIt();
    void pastePastTheLastRowStopsThere();
    void fillDownAndDeleteInOneStep_data();
    void fillDownAndDeleteInOneStep();
    void findJumpsToTheNextMatch();
    void statusBarCountsAndWarns_data();
    void statusBarCountsAndWarns();
    void droppedFileOpensThroughOpen_data();
    void droppedFileOpensThroughOpen();
    void commandLineFileOpensThroughOpen_data();
    void commandLineFileOpensThroughOpen();
    void recentFilesReopen();

private:
    QAction* action(const char* name) const
    {
        auto* found = window->findChild<QAction*>(QLatin1String(name));
        if (!found)
            qWarning("no action %s", name);
        return found;
    }
    void select(int top, int left, int bottom, int right);
    void pasteNames(int row, const QString& text);
    void typeIntoCell(int row, const QString& text);
    // A closed editor is hidden at once and deleted later.
    bool editorOpen() const
    {
        const auto editors = window->grid()->findChildren<QLineEdit*>();
        return std::any_of(editors.begin(), editors.end(),
                           [](const QLineEdit* editor) { return editor->isVisible(); });
    }
    ChannelTableModel& table() const { return window->table(); }

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FrmDips> window;
};

void TestEditing::init()
{
    ModGlobal::OpenSettingsStore()->clear();
    dialogs = std::make_unique<ScriptedDialogs>();
    window = std::make_unique<FrmDips>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestEditing::select(int top, int left, int bottom, int right)
{
    window->grid()->setCurrentIndex(table().index(top, left));
    window->grid()->selectionModel()->select(
        QItemSelection(table().index(top, left), table().index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

// Pastes through the Edit menu, one undo step.
void TestEditing::pasteNames(int row, const QString& text)
{
    QApplication::clipboard()->setText(text);
    window->grid()->setCurrentIndex(table().index(row, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
}

// Types into a relay name's editor and leaves it open, as a user who has not pressed Enter.
void TestEditing::typeIntoCell(int row, const QString& text)
{
    typeIntoRelayName(*window, row, text);
    QVERIFY(editorOpen());
}

void TestEditing::editKeysWorkOnTheGrid_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("undoFirst");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("right");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("clipboard");
    const QStringList pasted{"A", "B", "C"};
    const QStringList spares{"Spare AA01", "Spare AA02", "Spare AA03"};
    const int name = ChannelTableModel::ColRelNam;
    QTest::newRow("Copy") << QKeySequence(QKeySequence::Copy) << false << 1
                          << int(ChannelTableModel::ColStUp) << pasted
                          << "A\tBack\tUP\nB\tFront\tUP\n";
    QTest::newRow("Cut") << QKeySequence(QKeySequence::Cut) << false << 0 << name
                         << QStringList{"Spare AA01", "B", "C"} << "A\n";
    QTest::newRow("Paste") << QKeySequence(QKeySequence::Paste) << false << 0 << name
                           << QStringList{"X", "B", "C"} << "X\n";
    QTest::newRow("Delete") << QKeySequence(QKeySequence::Delete) << false << 1 << name
                            << QStringList{"Spare AA01", "Spare AA02", "C"} << "X\n";
    QTest::newRow("Fill Down") << QKeySequence(Qt::CTRL | Qt::Key_D) << false << 2 << name
                               << QStringList{"A", "A", "A"} << "X\n";
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Undo))
        QTest::newRow(qPrintable("Undo " + keys.toString()))
            << keys << false << 0 << name << spares << "X\n";
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Redo))
        QTest::newRow(qPrintable("Redo " + keys.toString()))
            << keys << true << 0 << name << pasted << "X\n";
    QVERIFY(QKeySequence::keyBindings(QKeySequence::Redo)
                .contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
}

// Each key pressed on the grid, rows 0 to 2 holding one pasted step "A", "B", "C".
void TestEditing::editKeysWorkOnTheGrid()
{
    QFETCH(QKeySequence, keys);
    QFETCH(bool, undoFirst);
    QFETCH(int, bottom);
    QFETCH(int, right);
    QFETCH(QStringList, names);
    QFETCH(QString, clipboard);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    pasteNames(0, QStringLiteral("A\tBack\nB\nC\n"));
    if (undoFirst)
        action("MnuUndo")->trigger();
    QApplication::clipboard()->setText(QStringLiteral("X\n"));
    select(0, ChannelTableModel::ColRelNam, bottom, right);
    window->grid()->setFocus();
    QTest::keySequence(window->grid(), keys);
    QVERIFY(!editorOpen());
    for (int row = 0; row < names.size(); ++row)
        QCOMPARE(table().channel(row).relNam, names[row]);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
}

void TestEditing::editMenuFinishesTheCellEditFirst_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("earlier"); // 0: no earlier edit, 1: an edit of row 5, 2: undone
    QTest::addColumn<bool>("selectTwo");
    QTest::addColumn<QStringList>("names"); // rows 0, 1 and 5 afterwards
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("Undo undoes the typed name")
        << "MnuUndo" << 1 << false << QStringList{"Spare AA01", "Spare AA02", "EARLIER"} << "X";
    QTest::newRow("Redo finds nothing after the typed name")
        << "MnuRedo" << 2 << false << QStringList{"TYPED", "Spare AA02", "Spare AA06"} << "X";
    QTest::newRow("Cut") << "MnuCut" << 0 << false
                         << QStringList{"Spare AA01", "Spare AA02", "Spare AA06"} << "TYPED\n";
    QTest::newRow("Copy") << "MnuCopy" << 0 << false
                          << QStringList{"TYPED", "Spare AA02", "Spare AA06"} << "TYPED\n";
    QTest::newRow("Delete") << "MnuDelete" << 0 << false
                            << QStringList{"Spare AA01", "Spare AA02", "Spare AA06"} << "X";
    QTest::newRow("Fill Down") << "MnuFillDown" << 0 << true
                               << QStringList{"TYPED", "TYPED", "Spare AA06"} << "X";
}

void TestEditing::editMenuFinishesTheCellEditFirst()
{
    QFETCH(QString, command);
    QFETCH(int, earlier);
    QFETCH(bool, selectTwo);
    QFETCH(QStringList, names);
    QFETCH(QString, clipboard);
    QTest::failOnWarning(QRegularExpression(QStringLiteral("commitData")));
    if (earlier > 0)
        QVERIFY(table().setData(table().index(5, ChannelTableModel::ColRelNam),
                                QStringLiteral("EARLIER")));
    if (earlier > 1)
        action("MnuUndo")->trigger();
    QApplication::clipboard()->setText(QStringLiteral("X"));
    typeIntoCell(0, QStringLiteral("TYPED"));
    if (selectTwo)
        window->grid()->selectionModel()->select(
            QItemSelection(table().index(0, ChannelTableModel::ColRelNam),
                           table().index(1, ChannelTableModel::ColRelNam)),
            QItemSelectionModel::ClearAndSelect);
    window->findChild<QAction*>(command)->trigger();
    QVERIFY(!editorOpen());
    QCOMPARE((QStringList{table().channel(0).relNam, table().channel(1).relNam,
                          table().channel(5).relNam}),
             names);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
}

// An editor closed by Enter is gone; ending "the edit in progress" later finds none.
void TestEditing::closedEditorIsNotCommittedAgain()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("commitData")));
    typeIntoCell(0, QStringLiteral("ENTERED"));
    QTest::keyClick(window->grid()->findChild<QLineEdit*>(), Qt::Key_Return);
    // The delegate commits and closes from a queued call; deleting the editor waits longer.
    QCoreApplication::processEvents();
    QVERIFY(!editorOpen());
    QCOMPARE(table().channel(0).relNam, QStringLiteral("ENTERED"));
    window->FinishEdit();
    QCOMPARE(window->history().stack()->count(), 1);
}

void TestEditing::undoingBackToTheSavedStateClearsModified()
{
    QTemporaryDir dir;
    dialogs->chooseNext(dir.filePath(QStringLiteral("site.dip")));
    QVERIFY(window->commands().SaveSiteAs());
    QVERIFY(table().setData(table().index(2, ChannelTableModel::ColRelNam), QStringLiteral("TPR")));
    QVERIFY(window->commands().isModified());
    action("MnuUndo")->trigger();
    QVERIFY(!window->commands().isModified());
    action("MnuRedo")->trigger();
    QVERIFY(window->commands().SaveSite());
    // Undo after the save leaves the saved state behind.
    action("MnuUndo")->trigger();
    QVERIFY(window->commands().isModified());
}

void TestEditing::undoingAShrinkRestoresTheDroppedChannels()
{
    window->channelCountSelector()->setCurrentIndex(1);
    QCOMPARE(table().rowCount(), 768);
    QVERIFY(
        table().setData(table().index(500, ChannelTableModel::ColRelNam), QStringLiteral("FAR")));
    dialogs->answerNext(MessageAnswer::Ok);
    window->channelCountSelector()->setCurrentIndex(0);
    QCOMPARE(table().rowCount(), 384);
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(table().channel(500).relNam, QStringLiteral("FAR"));
    QCOMPARE(window->channelCountSelector()->currentIndex(), 1);
    action("MnuUndo")->trigger();
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 384);
    QVERIFY(!window->commands().isModified());
}

void TestEditing::openingClearsTheHistory_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    QTest::newRow("New") << "New" << false;
    QTest::newRow("Open a .dip") << "Open" << false;
    QTest::newRow("Import") << "Import" << true;
}

void TestEditing::openingClearsTheHistory()
{
    QFETCH(QString, command);
    QFETCH(bool, modified);
    QTemporaryDir dir;
    const QString dip = QDir::toNativeSeparators(dir.filePath(QStringLiteral("north.dip")));
    ChannelTableModel saved;
    saved.SetChannelCount(384, ChannelTableModel::FillAllRows);
    saved.setRelayName(0, QStringLiteral("FROM FILE"));
    QVERIFY(SaveDipFile(saved, dip));
    const QString site = QDir::toNativeSeparators(dir.filePath(QStringLiteral("North")));
    QVERIFY(QDir().mkpath(site));
    CorvaneSite::writeOneAllocation(site);
    window->setSiteChooser([site] { return ChosenSite{"Load", "North Jn", site}; });

    QVERIFY(table().setData(table().index(0, ChannelTableModel::ColRelNam), QStringLiteral("A")));
    QVERIFY(action("MnuUndo")->isEnabled());
    dialogs->answerNext(MessageAnswer::No);
    dialogs->chooseNext(dip);
    window->onToolbarButton(command);
    QCOMPARE(dialogs->messages().first().text, QStringLiteral("Save this site before closing?"));
    QVERIFY(table().channel(0).relNam != QStringLiteral("A"));
    QVERIFY(!action("MnuUndo")->isEnabled());
    QCOMPARE(window->history().stack()->count(), 0);
    QCOMPARE(window->commands().isModified(), modified);
    QCOMPARE(window->history().stack()->isClean(), !modified);
}

void TestEditing::pasteWritesFromTheCurrentCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("backs");
    QTest::newRow("tabs from a spreadsheet")
        << "TPR 1\tBack\r\nA NAME LONGER THAN SIXTEEN\tb\r\n"
        << QStringList{"TPR 1", "A NAME LONGER TH"} << QList<bool>{true, true};
    QTest::newRow("commas") << "HR 2,Front\nWJR,x\n"
                            << QStringList{"HR 2", "WJR"} << QList<bool>{false, false};
    QTest::newRow("quoted commas") << "\"HR, 1\",Back\n\"SAY \"\"HI\"\"\",b\n"
                                   << QStringList{"HR, 1", "SAY \"HI\""} << QList<bool>{true, true};
    QTest::newRow("tabs keep commas and quotes")
        << "A,\"B\"\tBack\n\"C\tFront\n"
        << QStringList{"A,\"B\"", "\"C"} << QList<bool>{true, false};
}

void TestEditing::pasteWritesFromTheCurrentCell()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, backs);
    QApplication::clipboard()->setText(text);
    window->grid()->setCurrentIndex(table().index(10, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(table().channel(10 + i).relNam, names[i]);
        QCOMPARE(table().channel(10 + i).back, backs[i]);
    }
    QCOMPARE(window->history().stack()->count(), 1);
    action("MnuUndo")->trigger();
    QCOMPARE(table().channel(10).relNam, QStringLiteral("Spare AA11"));
    QCOMPARE(table().channel(11).relNam, QStringLiteral("Spare AA12"));
}

void TestEditing::pasteOnTheChanColumnSkipsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<ChannelRow>>("rows"); // rows 10 and 11 afterwards
    QTest::addColumn<int>("steps");
    QTest::newRow("labels only") << "XX99\nYY99\n"
                                 << QList<ChannelRow>{ChannelTableModel::defaultRow(11),
                                                      ChannelTableModel::defaultRow(12)}
                                 << 0;
    QTest::newRow("labels and names")
        << "XX99\tNEW\tBack\nYY99\tOTHER\n"
        << QList<ChannelRow>{{"NEW", true, "UP", "DN"}, {"OTHER", false, "UP", "DN"}} << 1;
}

// The grid never makes a Chan cell current, so this pastes there through the plan itself.
void TestEditing::pasteOnTheChanColumnSkipsIt()
{
    QFETCH(QString, text);
    QFETCH(QList<ChannelRow>, rows);
    QFETCH(int, steps);
    const GridClipboard::RowEdit edit =
        GridClipboard::PlanPaste(table(), 10, ChannelTableModel::ColChan, text);
    window->history().pushEdit(QStringLiteral("Paste"), edit.before, edit.after);
    QCOMPARE(table().channel(10), rows[0]);
    QCOMPARE(table().channel(11), rows[1]);
    QCOMPARE(table().data(table().index(10, ChannelTableModel::ColChan)).toString(),
             QStringLiteral("AA11"));
    QCOMPARE(window->history().stack()->count(), steps);
}

void TestEditing::pastePastTheLastRowStopsThere()
{
    QApplication::clipboard()->setText(QStringLiteral("ONE\nTWO\nTHREE\n"));
    window->grid()->setCurrentIndex(table().index(382, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(table().channel(382).relNam, QStringLiteral("ONE"));
    QCOMPARE(table().channel(383).relNam, QStringLiteral("TWO"));
    QVERIFY(dialogs->messages().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("last channel")));
}

void TestEditing::fillDownAndDeleteInOneStep_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QList<ChannelRow>>("rows"); // rows 0 to 3 afterwards
    const ChannelRow top{"A NAME LONGER THAN SIXTEEN", true, "HI", "LO"};
    const ChannelRow cut{"A NAME LONGER TH", true, "HI", "LO"};
    const ChannelRow b{"B", false, "UP", "DN"};
    const ChannelRow c{"C", false, "ON", "OFF"};
    const ChannelRow d{"D", true, "UP", "DN"};
    QTest::newRow("every column") << "MnuFillDown" << int(ChannelTableModel::ColChan)
                                  << int(ChannelTableModel::ColStDn) << 2
                                  << QList<ChannelRow>{top, cut, cut, d};
    QTest::newRow("relay names only")
        << "MnuFillDown" << int(ChannelTableModel::ColRelNam) << int(ChannelTableModel::ColRelNam)
        << 1 << QList<ChannelRow>{top, {cut.relNam, false, "UP", "DN"}, c, d};
    QTest::newRow("Delete restores every column")
        << "MnuDelete" << int(ChannelTableModel::ColRelNam) << int(ChannelTableModel::ColStDn) << 1
        << QList<ChannelRow>{ChannelTableModel::defaultRow(1), ChannelTableModel::defaultRow(2), c,
                             d};
}

// Fill Down and Delete on a selection, one undo step each.
void TestEditing::fillDownAndDeleteInOneStep()
{
    QFETCH(QString, command);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(QList<ChannelRow>, rows);
    const QList<ChannelRow> start{{"A NAME LONGER THAN SIXTEEN", true, "HI", "LO"},
                                  {"B", false, "UP", "DN"},
                                  {"C", false, "ON", "OFF"},
                                  {"D", true, "UP", "DN"}};
    for (int row = 0; row < start.size(); ++row)
        table().setChannel(row, start[row]);
    select(0, left, bottom, right);
    window->findChild<QAction*>(command)->trigger();
    for (int row = 0; row < rows.size(); ++row)
        QCOMPARE(table().channel(row), rows[row]);
    QCOMPARE(table().data(table().index(1, ChannelTableModel::ColChan)).toString(),
             QStringLiteral("AA02"));
    QCOMPARE(window->history().stack()->count(), 1);
    action("MnuUndo")->trigger();
    for (int row = 0; row < start.size(); ++row)
        QCOMPARE(table().channel(row), start[row]);
    QVERIFY(!window->commands().isModified());
}

void TestEditing::findJumpsToTheNextMatch()
{
    table().setRelayName(40, QStringLiteral("Track TPR"));
    table().setRelayName(300, QStringLiteral("tpr 9"));
    window->grid()->setCurrentIndex(table().index(0, ChannelTableModel::ColRelNam));
    QTest::keySequence(window.get(), QKeySequence::Find);
    QVERIFY(window->findBar()->isVisible());
    QTest::keyClicks(window->findBar()->textField(), QStringLiteral("tpr"));
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 40);
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 300);
    window->findBar()->textField()->setText(QStringLiteral("BA01"));
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 300);
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("not found")));
}

void TestEditing::statusBarCountsAndWarns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");
    QTest::newRow("one name") << "TPR\tBack\nHR\tFront\nZ\u0141\tFront\n"
                              << "1 relay name holds characters written as \"?\"; "
                                 "3 of 384 channels in use, 1 on back contacts";
    QTest::newRow("none") << "TPR\tBack\nHR \u00E9\tFront\n"
                          << "2 of 384 channels in use, 1 on back contacts";
}

void TestEditing::statusBarCountsAndWarns()
{
    QFETCH(QString, text);
    QFETCH(QString, status);
    pasteNames(0, text);
    QCOMPARE(window->statusText(), status);
    const bool marked = status.contains(u'?');
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("StatusWarning"))->isVisible(), marked);
    QCOMPARE(table().data(table().index(2, 1), ChannelTableModel::UnencodableRole).toBool(),
             marked);
    QVERIFY(!table().data(table().index(0, 1), ChannelTableModel::UnencodableRole).toBool());
}

void TestEditing::droppedFileOpensThroughOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title"); // empty when the drop is refused
    QTest::newRow("csv") << "dropped.csv"
                         << "dropped - ZR415 configuration editor";
    QTest::newRow("upper-case DIP") << "DROPPED.DIP"
                                    << "DROPPED - ZR415 configuration editor";
    QTest::newRow("Corvane file") << "DChannel.cfg" << QString();
}

void TestEditing::droppedFileOpensThroughOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name.endsWith(QStringLiteral(".dip"), Qt::CaseInsensitive)) {
        ChannelTableModel dropped;
        dropped.SetChannelCount(384, ChannelTableModel::FillAllRows);
        dropped.setRelayName(0, QStringLiteral("DROPPED"));
        QVERIFY(SaveDipFile(dropped, path));
    } else {
        writeFile(path, "AA01,DROPPED,Back\r\n");
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(window.get(), &enter);
    QCOMPARE(enter.isAccepted(), !title.isEmpty());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(window.get(), &drop);
    QCOMPARE(drop.isAccepted(), !title.isEmpty());
    if (title.isEmpty()) {
        QCoreApplication::processEvents();
        QCOMPARE(window->windowTitle(), QStringLiteral("ZR415 configuration editor"));
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(table().channel(0).relNam, QStringLiteral("Spare AA01"));
        return;
    }
    QTRY_COMPARE(window->windowTitle(), title);
    QCOMPARE(table().channel(0).relNam, QStringLiteral("DROPPED"));
}

void TestEditing::commandLineFileOpensThroughOpen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file"); // the absolute path the site and recent files keep
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("relative .dip")
        << QStringList{"zr415config", "rel.dip"} << "rel.dip"
        << "rel - ZR415 configuration editor" << QStringList{"384 channels loaded"};
    QTest::newRow("relative .csv through ..")
        << QStringList{"zr415config", "sub/../list.csv"} << "list.csv"
        << "list - ZR415 configuration editor" << QStringList{"1 channels imported"};
    QTest::newRow("no file") << QStringList{"zr415config"} << QString()
                             << "ZR415 configuration editor" << QStringList();
}

void TestEditing::commandLineFileOpensThroughOpen()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    ChannelTableModel site;
    site.SetChannelCount(384, ChannelTableModel::FillAllRows);
    site.setRelayName(0, QStringLiteral("FROM ARGUMENT"));
    QVERIFY(SaveDipFile(site, dir.filePath(QStringLiteral("rel.dip"))));
    writeFile(dir.filePath(QStringLiteral("list.csv")), "AA01,FROM ARGUMENT,Back\r\n");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString here = QDir::currentPath();
    const bool named = OpenCommandLineFile(window->commands(), arguments);
    QDir::setCurrent(previous);

    QCOMPARE(named, arguments.size() > 1);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(dialogs->texts(), messages);
    if (file.isEmpty()) {
        QCOMPARE(table().channel(0).relNam, QStringLiteral("Spare AA01"));
        QVERIFY(!window->findChild<QAction*>(QStringLiteral("MnuRecent1")));
        return;
    }
    const QString absolute = QDir::toNativeSeparators(QDir(here).filePath(file));
    QCOMPARE(table().channel(0).relNam, QStringLiteral("FROM ARGUMENT"));
    QAction* recent = action("MnuRecent1");
    QVERIFY(recent);
    QCOMPARE(recent->data().toString(), absolute);
    if (file.endsWith(QStringLiteral(".dip"))) {
        QCOMPARE(window->commands().site().sitePath, absolute);
        QCOMPARE(ModGlobal::dirs.filePath, QDir::toNativeSeparators(here) + QDir::separator());
    }
}

void TestEditing::recentFilesReopen()
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("north.dip")));
    table().setRelayName(0, QStringLiteral("SAVED"));
    dialogs->chooseNext(path);
    QVERIFY(window->commands().SaveSiteAs());
    QAction* recent = action("MnuRecent1");
    QVERIFY(recent);
    QCOMPARE(recent->text(), QStringLiteral("&1 north.dip"));
    QVERIFY(table().setData(table().index(0, 1), QStringLiteral("CHANGED")));
    dialogs->answerNext(MessageAnswer::No);
    recent->trigger();
    QCOMPARE(dialogs->messages().first().text, QStringLiteral("Save this site before closing?"));
    QCOMPARE(table().channel(0).relNam, QStringLiteral("SAVED"));
    window.reset();
    window = std::make_unique<FrmDips>();
    QCOMPARE(action("MnuRecent1")->data().toString(), path);
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
