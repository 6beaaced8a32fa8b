// The grid keyed as a spreadsheet, through the real window: every key is pressed on the grid
// or its editor, every paste comes from the clipboard.
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "support/TableRows.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>

#include <memory>

using Model = ChannelTableModel;

class TestGridKeys : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }
    void init();
    void cleanup();

    void editKeysReachTheirCommands_data();
    void editKeysReachTheirCommands();
    void gridHasTheFocusAtStartAndAfterCommands();
    void enterAndTabMoveAsInASpreadsheet();
    void stateTextsHoldThreeCharacters();
    void pasteReadsContactsAsSpreadsheetsWriteThem_data();
    void pasteReadsContactsAsSpreadsheetsWriteThem();
    void pasteSaysWhatItCouldNotTake();
    void fillDownSaysWhatItCut();
    void ctrlPageKeysJumpByCards();

private:
    QString note() const { return window->findChild<QLabel*>("StatusNote")->text(); }
    // The current cell, as the user would have put it there with the arrow keys.
    void goTo(int row, int column) { grid()->setCurrentIndex(cell(row, column)); }
    // The editor open on the current cell (closed ones linger until deleted).
    QLineEdit* openEditor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

    std::unique_ptr<QAbstractItemModelTester> tester;
};

void TestGridKeys::init()
{
    QVERIFY(openWindow());
    tester = std::make_unique<QAbstractItemModelTester>(
        &window->table(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestGridKeys::cleanup()
{
    tester.reset();
    closeWindow();
}

void TestGridKeys::editKeysReachTheirCommands_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QStringList>("names"); // rows 0 and 1 afterwards
    QTest::addColumn<QString>("clipboard");
    const QStringList typed{"A", "B"};
    const QStringList spares{"Spare AA01", "Spare AA02"};
    QTest::newRow("Copy") << QKeySequence(QKeySequence::Copy) << typed << "A\nB\n";
    QTest::newRow("Cut") << QKeySequence(QKeySequence::Cut) << spares << "A\nB\n";
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << spares << "X";
    QTest::newRow("Fill Down") << QKeySequence(Qt::CTRL | Qt::Key_D) << QStringList{"A", "A"}
                               << "X";
    QTest::newRow("Undo") << QKeySequence(QKeySequence::Undo) << spares << "X";
    QTest::newRow("Undo, Redo as Ctrl+Y")
        << QKeySequence(QKeySequence(QKeySequence::Undo).toString() + ", Ctrl+Y") << typed << "X";
}

// Names A and B pasted into rows 0 and 1, both selected, "X" on the clipboard, then the keys on
// the grid.
void TestGridKeys::editKeysReachTheirCommands()
{
    QFETCH(QKeySequence, keys);
    pasteAt(0, Model::ColRelNam, "A\nB\n");
    grid()->selectionModel()->select(QItemSelection(cell(0, 1), cell(1, 1)),
                                     QItemSelectionModel::ClearAndSelect);
    QApplication::clipboard()->setText("X");
    QTest::keySequence(grid(), keys);
    QTEST((QStringList{table().channel(0).relNam, table().channel(1).relNam}), "names");
    QTEST(QApplication::clipboard()->text(), "clipboard");
    QVERIFY(!openEditor() || !openEditor()->isVisible());
}

// End goes to the last row; it must not reach the unit selector and make eight units.
void TestGridKeys::gridHasTheFocusAtStartAndAfterCommands()
{
    QCOMPARE(QApplication::focusWidget(), grid());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(grid()->currentIndex().row(), 383);
    window->findChild<QComboBox*>("CmbNoChans")->setFocus();
    QTest::keySequence(window.get(), QKeySequence::New);
    QCOMPARE(QApplication::focusWidget(), grid());
}

void TestGridKeys::enterAndTabMoveAsInASpreadsheet()
{
    goTo(5, Model::ColRelNam);
    typeKeys("TPR 1");
    QVERIFY(openEditor() && openEditor()->isVisible());
    QTest::keyClick(openEditor(), Qt::Key_Return);
    QCOMPARE(table().channel(5).relNam, "TPR 1");
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColRelNam));
    typeKeys("TPR 2");
    QTest::keyClick(openEditor(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(table().channel(6).relNam, "TPR 2");
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColRelNam));
    QTest::keyClick(grid(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColBack));
    QTest::keyClick(grid(), Qt::Key_Backtab);
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColRelNam));
    QCOMPARE(window->commands().history()->count(), 2);
}

// As relay names hold 16; a text already longer (from a list) stays marked.
void TestGridKeys::stateTextsHoldThreeCharacters()
{
    goTo(0, Model::ColStUp);
    typeKeys("CLEAR");
    QTest::keyClick(openEditor(), Qt::Key_Return);
    QCOMPARE(table().channel(0).stUp, "CLE");
    putRow(table(), 1, {"A NAME LONGER THAN SIXTEEN", false, "UP", "DN"});
    QVERIFY(table().data(cell(1, Model::ColRelNam), Model::AlteredByFileRole).toBool());
    QVERIFY(!table().data(cell(0, Model::ColStUp), Model::AlteredByFileRole).toBool());
    QCOMPARE(table().data(cell(1, Model::ColRelNam), Qt::ToolTipRole).toString(),
             "The channel file holds the first 16 characters: \"A NAME LONGER TH\"");
}

void TestGridKeys::pasteReadsContactsAsSpreadsheetsWriteThem_data()
{
    QTest::addColumn<QString>("contact");
    QTest::addColumn<bool>("back");
    for (const char* back : {"Back", "b", "TRUE", "1", "yes", "X", "x"})
        QTest::newRow(back) << back << true;
    for (const char* front : {"Front", "F", "false", "0", "NO", ""})
        QTest::newRow(front[0] ? front : "empty") << front << false;
}

// Row 20 starts on the other contact, so each value must really be read.
void TestGridKeys::pasteReadsContactsAsSpreadsheetsWriteThem()
{
    QFETCH(QString, contact);
    QFETCH(bool, back);
    putRow(table(), 20, {"R", !back, "UP", "DN"});
    pasteAt(20, Model::ColRelNam, "R\t" + contact + "\n");
    QCOMPARE(table().channel(20).back, back);
    QVERIFY2(!note().contains("contact"), qPrintable(note()));
}

// Unread contacts keep their cells; cut texts are cut; the pasted block is selected.
void TestGridKeys::pasteSaysWhatItCouldNotTake()
{
    putRow(table(), 2, {"C", true, "UP", "DN"});
    pasteAt(1, Model::ColBack, "maybe\tCLEAR\n?\tON\nFront\tOFF\n");
    QCOMPARE(table().channel(1), (ChannelRow{"Spare AA02", false, "CLE", "DN"}));
    QCOMPARE(table().channel(2), (ChannelRow{"C", true, "ON", "DN"}));
    QCOMPARE(table().channel(3), (ChannelRow{"Spare AA04", false, "OFF", "DN"}));
    QCOMPARE(note(), "1 text was cut to the 16 or 3 characters the channel file holds. 2 contact "
                     "values were not Back or Front, the first for AA02; those cells were left "
                     "as they were.");
    const QModelIndexList selected = grid()->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 6);
    QVERIFY(selected.contains(cell(1, Model::ColBack)) &&
            selected.contains(cell(3, Model::ColStUp)));
}

void TestGridKeys::fillDownSaysWhatItCut()
{
    putRow(table(), 0, {"A NAME LONGER THAN SIXTEEN", false, "UP", "DN"});
    goTo(0, Model::ColRelNam);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(table().channel(2).relNam, "A NAME LONGER TH");
    QCOMPARE(note(), "2 texts were cut to the 16 or 3 characters the channel file holds.");
}

void TestGridKeys::ctrlPageKeysJumpByCards()
{
    goTo(10, Model::ColStDn);
    QTest::keyClick(grid(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex(), cell(48, Model::ColStDn));
    QCOMPARE(note(), "Unit A, card B: AB01-AB48");
    QTest::keyClick(grid(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex(), cell(0, Model::ColStDn));
    goTo(383, Model::ColRelNam);
    QTest::keyClick(grid(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex().row(), 383);
    QCOMPARE(note(), "Unit A, card H: AH01-AH48");
    QTest::keyClick(grid(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex().row(), 336);
}

QTEST_MAIN(TestGridKeys)
#include "tst_gridkeys.moc"
