// The grid keyed as a spreadsheet, through the real window: every key is pressed on the grid
// or its editor, every paste comes from the clipboard.
#include "support/GridTyping.h"
#include "support/TableRows.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QUndoStack>

#include <algorithm>

using Model = ChannelTableModel;

class TestEditing : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { QVERIFY(openWindow(true)); }
    void cleanup() { closeWindow(); }

    void editKeysReachTheirCommands_data();
    void editKeysReachTheirCommands();
    void editMenuFinishesTheCellEditFirst_data();
    void editMenuFinishesTheCellEditFirst();
    void gridHasTheFocusAtStartAndAfterCommands();
    void enterAndTabMoveAsInASpreadsheet();
    void stateTextsHoldThreeCharacters_data();
    void stateTextsHoldThreeCharacters();
    void pasteReadsContactsAsSpreadsheetsWriteThem_data();
    void pasteReadsContactsAsSpreadsheetsWriteThem();
    void pasteSaysWhatItCouldNotTake();
    void lineBreakInACellIsASpace_data();
    void lineBreakInACellIsASpace();
    void ctrlPageKeysJumpByCards();
    void recentFilesReopen();

private:
    QString note() const { return statusText("StatusNote"); }
    QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }
    QStringList names(int rows) const
    {
        QStringList result;
        for (int row = 0; row < rows; ++row)
            result.append(table().channel(row).relNam);
        return result;
    }
    // A closed editor is hidden at once and deleted later.
    bool editorOpen() const
    {
        const auto editors = grid()->findChildren<QLineEdit*>();
        return std::any_of(editors.begin(), editors.end(),
                           [](const QLineEdit* editor) { return editor->isVisible(); });
    }
    void selectNamesOfRows0And1(int right = Model::ColRelNam)
    {
        grid()->selectionModel()->select(QItemSelection(cell(0, 1), cell(1, right)),
                                         QItemSelectionModel::ClearAndSelect);
    }
};

void TestEditing::editKeysReachTheirCommands_data()
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

// Names A and B pasted into rows 0 and 1, both selected, "X" on the clipboard, then the keys.
void TestEditing::editKeysReachTheirCommands()
{
    QFETCH(QKeySequence, keys);
    pasteAt(0, Model::ColRelNam, "A\nB\n");
    selectNamesOfRows0And1();
    QApplication::clipboard()->setText("X");
    QTest::keySequence(grid(), keys);
    QTEST(names(2), "names");
    QTEST(QApplication::clipboard()->text(), "clipboard");
    QVERIFY(!editorOpen());
}

void TestEditing::editMenuFinishesTheCellEditFirst_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("names"); // rows 0 and 1 afterwards
    const QStringList spares{"Spare AA01", "Spare AA02"};
    QTest::newRow("Undo undoes the typed name") << "MnuUndo" << spares;
    QTest::newRow("Cut") << "MnuCut" << spares;
    QTest::newRow("Fill Down") << "MnuFillDown" << QStringList{"TYPED", "TYPED"};
}

// Rows 0 and 1 selected, the editor of row 0 still open when the menu item runs. An earlier
// edit of row 5 keeps Undo from depending on the typed name.
void TestEditing::editMenuFinishesTheCellEditFirst()
{
    QTest::failOnWarning(QRegularExpression("commitData"));
    QVERIFY(table().setData(cell(5, Model::ColRelNam), "EARLIER"));
    typeIntoRelayName(*window, 0, "TYPED");
    selectNamesOfRows0And1(Model::ColBack);
    QVERIFY(editorOpen());
    QFETCH(QString, command);
    action(command)->trigger();
    QVERIFY(!editorOpen());
    QTEST(names(2), "names");
    QCOMPARE(table().channel(5).relNam, "EARLIER");
}

// End goes to the last row; it must not reach the unit selector and make eight units.
void TestEditing::gridHasTheFocusAtStartAndAfterCommands()
{
    QCOMPARE(QApplication::focusWidget(), grid());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(grid()->currentIndex().row(), 383);
    window->findChild<QComboBox*>("CmbNoChans")->setFocus();
    QTest::keySequence(window.get(), QKeySequence::New);
    QCOMPARE(QApplication::focusWidget(), grid());
    QCOMPARE(grid()->currentIndex(), cell(0, Model::ColRelNam));
    // Find, a match, Esc: a key typed next goes into the grid, never the unit selector.
    QTest::keySequence(window.get(), QKeySequence::Find);
    QTest::keyClicks(QApplication::focusWidget(), "AA05");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), grid());
    QCOMPARE(grid()->currentIndex(), cell(4, Model::ColRelNam));
    QTest::keyClick(window.get(), Qt::Key_Tab);
    QVERIFY(!window->findChild<QComboBox*>("CmbNoChans")->hasFocus());
}

// Typing opens the editor; Enter and Shift+Enter enter and move down or up, Tab sideways and on
// to the next row.
void TestEditing::enterAndTabMoveAsInASpreadsheet()
{
    grid()->setCurrentIndex(cell(5, Model::ColRelNam));
    typeKeys("TPR 1");
    QVERIFY(editorOpen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(table().channel(5).relNam, "TPR 1");
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColRelNam));
    typeKeys("TPR 2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(table().channel(6).relNam, "TPR 2");
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
    QTest::keyClick(grid(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColBack));
    QTest::keyClick(grid(), Qt::Key_Backtab);
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
    QTest::keyClick(grid(), Qt::Key_Backtab);
    QCOMPARE(grid()->currentIndex(), cell(4, Model::ColStDn));
    // Past the last column to the next row; Enter goes down to where the Tabs began.
    QTest::keyClick(grid(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
    grid()->setCurrentIndex(cell(5, Model::ColStUp));
    QTest::keyClick(grid(), Qt::Key_Tab);
    typeKeys("OFF");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), cell(6, Model::ColRelNam));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(table().channel(5).stDn, "OFF");
    QCOMPARE(grid()->currentIndex(), cell(7, Model::ColStUp));
}

void TestEditing::stateTextsHoldThreeCharacters_data()
{
    QTest::addColumn<bool>("pasted"); // only a paste has more to cut and says so
    QTest::newRow("typed") << false;
    QTest::newRow("pasted") << true;
}

void TestEditing::stateTextsHoldThreeCharacters()
{
    QFETCH(bool, pasted);
    if (pasted)
        pasteAt(0, Model::ColStUp, "CLEAR\n");
    else
        enter(0, Model::ColStUp, "CLEAR");
    QCOMPARE(table().channel(0).stUp, "CLE");
    QCOMPARE(note() == "1 text was cut to the 16 or 3 characters the channel file holds.", pasted);
}

void TestEditing::pasteReadsContactsAsSpreadsheetsWriteThem_data()
{
    QTest::addColumn<QString>("contact");
    QTest::addColumn<bool>("back");
    for (const char* back : {"Back", "b", "TRUE", "1", "yes", "X", "x"})
        QTest::newRow(back) << back << true;
    for (const char* front : {"Front", "F", "false", "0", "NO", ""})
        QTest::newRow(front[0] ? front : "empty") << front << false;
}

// Row 20 starts on the other contact, so each value must really be read.
void TestEditing::pasteReadsContactsAsSpreadsheetsWriteThem()
{
    QFETCH(QString, contact);
    QFETCH(bool, back);
    putRow(table(), 20, {"R", !back, "UP", "DN"});
    pasteAt(20, Model::ColRelNam, "R\t" + contact + "\n");
    QCOMPARE(table().channel(20).back, back);
    QVERIFY2(!note().contains("contact"), qPrintable(note()));
}

// Unread contacts keep their cells; the pasted block is selected.
void TestEditing::pasteSaysWhatItCouldNotTake()
{
    putRow(table(), 2, {"C", true, "UP", "DN"});
    pasteAt(1, Model::ColBack, "maybe\tON\n?\tON\nFront\tOFF\n");
    QCOMPARE(table().channel(2), (ChannelRow{"C", true, "ON", "DN"}));
    QCOMPARE(note(), "2 contact values were not Back or Front, the first for AA02; those cells "
                     "were left as they were.");
    const QModelIndexList selected = grid()->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 6);
    QVERIFY(selected.contains(cell(1, Model::ColBack)) &&
            selected.contains(cell(3, Model::ColStUp)));
}

void TestEditing::lineBreakInACellIsASpace_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("intoEditor"); // else pasted on the grid, as cells
    QTest::addColumn<ChannelRow>("row0");
    QTest::addColumn<QString>("name1");
    const ChannelRow twoLines{"TWO LINES", false, "UP", "DN"};
    QTest::newRow("editor, LF") << "TWO\nLINES" << true << twoLines << "Spare AA02";
    QTest::newRow("editor, CR LF") << "TWO\r\nLINES" << true << twoLines << "Spare AA02";
    // A spreadsheet quotes a cell that holds a line break.
    QTest::newRow("spreadsheet cell")
        << "\"TWO\r\nLINES\"\tBack\r\n"
        << false << ChannelRow{"TWO LINES", true, "UP", "DN"} << "Spare AA02";
    QTest::newRow("quoted cells, comma")
        << "\"A \"\"1\"\",\rB\",Yes\n\"C\nD\"\n"
        << false << ChannelRow{"A \"1\", B", true, "UP", "DN"} << "C D";
}

void TestEditing::lineBreakInACellIsASpace()
{
    QFETCH(QString, clipboard);
    QFETCH(bool, intoEditor);
    if (intoEditor) {
        typeIntoRelayName(*window, 0, QString());
        QApplication::clipboard()->setText(clipboard);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        pasteAt(0, Model::ColRelNam, clipboard);
    }
    QTEST(table().channel(0), "row0");
    QTEST(table().channel(1).relNam, "name1");
}

void TestEditing::ctrlPageKeysJumpByCards()
{
    grid()->setCurrentIndex(cell(10, Model::ColStDn));
    QTest::keyClick(grid(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex(), cell(48, Model::ColStDn));
    QCOMPARE(note(), "Unit A, card B: AB01-AB48");
    QTest::keyClick(grid(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(grid()->currentIndex(), cell(0, Model::ColStDn));
}

void TestEditing::recentFilesReopen()
{
    putRelayName(table(), 0, "SAVED");
    dialogs->chooseNext(path("north.dip"));
    QVERIFY(commands().SaveSiteAs());
    // The list is stored once the command has ended.
    QTRY_VERIFY(action("MnuRecent1"));
    QVERIFY(table().setData(cell(0, Model::ColRelNam), "CHANGED"));
    dialogs->answerNext(MessageAnswer::No);
    action("MnuRecent1")->trigger();
    QCOMPARE(table().channel(0).relNam, "SAVED");
    QCOMPARE(commands().history()->count(), 0);
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
