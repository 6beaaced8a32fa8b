// The checker's tools as a checker uses them: the File menu by its keys, F8 on the grid, the
// panels by the mouse, every file dialog answered by the script. The sites compared are built
// byte by byte from the file layouts.
#include "commands/CheckCommands.h"
#include "commands/DocumentCommands.h"
#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "support/DipBytes.h"
#include "support/DoubleClick.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridDelegate.h"
#include "windows/ChannelGridView.h"
#include "windows/CheckPanels.h"
#include "windows/DifferencesPanel.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/ProblemsPanel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDataStream>
#include <QDate>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

#include <map>
#include <memory>

using Model = ChannelTableModel;

namespace {

using Record = DipChannel;

// A channel file with spares where `records` names no channel. Keys are rows.
QByteArray dipFile(int channels, const std::map<int, Record>& records)
{
    QList<DipChannel> rows;
    for (int row = 0; row < channels; ++row) {
        const auto given = records.find(row);
        rows.append(given != records.end()
                        ? given->second
                        : Record{"Spare " + ModFunc::ChannelLabel(row + 1).toLatin1()});
    }
    return dipBytes(rows);
}

// DChannel.cfg: its header and count, then per channel the name and two empty texts, each
// after its 16-bit length, the contact (-1 back) and a 16-bit zero.
QByteArray dchannelFile(const QList<std::pair<QByteArray, bool>>& channels)
{
    QByteArray bytes = "K7V2.0 DChannels";
    QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint16(channels.size());
    for (const auto& [name, back] : channels) {
        out << quint16(name.size());
        out.writeRawData(name.constData(), int(name.size()));
        out << quint16(0) << quint16(0) << qint16(back ? -1 : 0) << quint16(0);
    }
    return bytes;
}

// The open site of most tests, and the other site it is compared with.
const std::map<int, Record> kNorth{
    {0, {"TPR 1", true}}, {1, {"TPR 2"}}, {2, {"TPR 3", false, "ON", "OFF"}}};
const std::map<int, Record> kOther{{0, {"TPR 1", false}},
                                   {1, {"TPR 2X"}},
                                   {2, {"TPR 3", false, "ON", "OF"}},
                                   {47, {"LAST"}},
                                   {100, {"TPR 101", true}}};
// What differs, in the grid's order: row, column, the other site's text.
const QList<std::tuple<int, int, QString>> kDifferences{
    {0, Model::ColBack, "Front"},       {1, Model::ColRelNam, "TPR 2X"},
    {2, Model::ColStDn, "OF "},         {47, Model::ColRelNam, "LAST"},
    {100, Model::ColRelNam, "TPR 101"}, {100, Model::ColBack, "Back"}};
const QStringList kDifferenceLines{"AA01\tBack contact\tBack\tFront",
                                   "AA02\tRelay name\tTPR 2\tTPR 2X",
                                   "AA03\tState down\tOFF\tOF ",
                                   "AA48\tRelay name\tSpare AA48\tLAST",
                                   "AC05\tRelay name\tSpare AC05\tTPR 101",
                                   "AC05\tBack contact\tFront\tBack"};

// A line of a panel double-clicked where the user sees it, scrolled to first.
void doubleClickLine(QTreeView* list, int line)
{
    const QModelIndex item = list->model()->index(line, 0);
    list->scrollTo(item);
    const QPoint centre = list->visualRect(item).center();
    QVERIFY(list->viewport()->rect().contains(centre));
    doubleClickAt(list->viewport(), centre);
}

QStringList rowsOf(const QTreeView* list)
{
    const QAbstractItemModel& lines = *list->model();
    QStringList rows;
    for (int i = 0; i < lines.rowCount(); ++i) {
        QStringList fields;
        for (int column = 0; column < lines.columnCount(); ++column)
            fields.append(lines.index(i, column).data().toString());
        rows.append(fields.join(u'\t'));
    }
    return rows;
}

} // namespace

class TestChecking : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A menu opened by Alt+F takes its letter at once.
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    }
    void init();
    void cleanup();

    void everyMenuItemHasALetterOfItsOwn();
    void compareWithMarksEveryDifferingCell();
    void differencesPanelListsThemAndCountsThem();
    void f8AndShiftF8GoThroughTheDifferences();
    void comparisonFollowsEdits();
    void otherSiteOfAnotherSize();
    void comparisonEnds_data();
    void comparisonEnds();
    void listOrCorvaneSiteHoldsNoStateTexts_data();
    void listOrCorvaneSiteHoldsNoStateTexts();
    void reportHoldsBothSitesTheDateAndTheDifferences();
    void problemsPanelFollowsEdits();
    void doubleClickOnAProblemSelectsItsCell();
    void verifyCardFindsOneAlteredByte();
    void exportReadsTheCardBack_data();
    void exportReadsTheCardBack();

private:
    Model& table() const { return window->table(); }
    ChannelGridView* grid() const { return window->grid(); }
    QModelIndex cell(int row, int column) const { return table().index(row, column); }
    QString path(const QString& name) const
    {
        return QDir::toNativeSeparators(dir->filePath(name));
    }
    QString checksText() const { return window->findChild<QLabel*>("StatusChecks")->text(); }
    QTreeView* differences() const { return window->panels().differences()->list(); }
    QTreeView* problems() const { return window->panels().problems()->list(); }
    QString lastBox() const
    {
        return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text;
    }

    // Writes the file and opens it as the user does: Ctrl+O and the file dialog.
    void openSite(const QString& name, const QByteArray& bytes);
    // Alt+F, then the item's underlined letter in the File menu.
    void fileMenu(Qt::Key mnemonic);
    void compareWith(const QString& name, const QByteArray& bytes);
    // Types into the cell and presses Enter, as a user enters a value.
    void enter(int row, int column, const QString& text);
    void pasteAt(int row, int column, const QString& text);
    // The other site's text in the cell's tooltip, as the grid shows it under the mouse.
    QString shownTooltip(int row, int column);
    QRgb drawnBackground(int row, int column);

    std::unique_ptr<QTemporaryDir> dir;
};

void TestChecking::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(openWindow());
}

void TestChecking::cleanup()
{
    QToolTip::hideText();
    verifyScriptUsed();
    closeWindow();
    dir.reset();
}

void TestChecking::openSite(const QString& name, const QByteArray& bytes)
{
    writeFile(dir->filePath(name), bytes);
    dialogs->chooseNext(path(name));
    QTest::keySequence(grid(), QKeySequence::Open);
    QCOMPARE(window->commands().site().sitePath, path(name));
}

void TestChecking::fileMenu(Qt::Key mnemonic)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), "MnuFile");
    QTest::keyClick(menu, mnemonic);
    // The item ran: its letter was no other item's as well.
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void TestChecking::compareWith(const QString& name, const QByteArray& bytes)
{
    writeFile(dir->filePath(name), bytes);
    dialogs->chooseNext(path(name));
    fileMenu(Qt::Key_C);
    QCOMPARE(dialogs->fileRequests().last().title, "Compare with");
}

void TestChecking::enter(int row, int column, const QString& text)
{
    grid()->setCurrentIndex(cell(row, column));
    // Each key to whatever has the focus then: the first one opens the cell's editor.
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

void TestChecking::pasteAt(int row, int column, const QString& text)
{
    QApplication::clipboard()->setText(text);
    grid()->setCurrentIndex(cell(row, column));
    QTest::keySequence(grid(), QKeySequence::Paste);
}

QString TestChecking::shownTooltip(int row, int column)
{
    const QModelIndex index = cell(row, column);
    grid()->scrollTo(index);
    const QPoint at = grid()->visualRect(index).center();
    // A tip hidden a moment ago still shows while it fades.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return "a tooltip that stays";
    QHelpEvent help(QEvent::ToolTip, at, grid()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid()->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The cell's colour in its corner, away from its text, as the grid draws it when it is neither
// current nor selected.
QRgb TestChecking::drawnBackground(int row, int column)
{
    const QModelIndex index = cell(row, column);
    grid()->scrollTo(index);
    const QRect rect = grid()->visualRect(index);
    return grid()->viewport()->grab().toImage().pixel(rect.right() - 3, rect.top() + 3);
}

// Two items of a menu with the same underlined letter: the letter only moves between them.
void TestChecking::everyMenuItemHasALetterOfItsOwn()
{
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        QMap<QKeySequence, QString> owners;
        for (const QAction* action : menu->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(action->text());
            if (letter.isEmpty())
                continue;
            QVERIFY2(!owners.contains(letter),
                     qPrintable(menu->objectName() + ": " + letter.toString() + " underlined in " +
                                owners.value(letter) + " and " + action->text()));
            owners.insert(letter, action->text());
        }
    }
}

void TestChecking::compareWithMarksEveryDifferingCell()
{
    openSite("north.dip", dipFile(384, kNorth));
    compareWith("other.dip", dipFile(384, kOther));
    QVERIFY(window->checks().comparing());

    QHash<std::pair<int, int>, QString> expected;
    for (const auto& [row, column, theirs] : kDifferences)
        expected.insert({row, column}, theirs);
    for (int row = 0; row < table().rowCount(); ++row) {
        for (int column = Model::ColChan; column <= Model::ColStDn; ++column) {
            const QVariant theirs = table().data(cell(row, column), Model::OtherValueRole);
            const QString want = expected.value({row, column});
            QVERIFY2(theirs.isValid() == !want.isEmpty() && theirs.toString() == want,
                     qPrintable(QString("%1 %2: %3").arg(row).arg(column).arg(theirs.toString())));
        }
    }
    QCOMPARE(shownTooltip(1, Model::ColRelNam), "The other site: TPR 2X");
    QCOMPARE(shownTooltip(0, Model::ColBack), "The other site: Front");
    QCOMPARE(shownTooltip(1, Model::ColBack), "");

    grid()->setCurrentIndex(cell(200, Model::ColChan));
    grid()->selectionModel()->clearSelection();
    QCOMPARE(drawnBackground(1, Model::ColRelNam), ChannelGridDelegate::kDifferenceMark);
    QCOMPARE(drawnBackground(100, Model::ColBack), ChannelGridDelegate::kDifferenceMark);
    QVERIFY(drawnBackground(1, Model::ColStUp) != ChannelGridDelegate::kDifferenceMark);
}

void TestChecking::differencesPanelListsThemAndCountsThem()
{
    openSite("north.dip", dipFile(384, kNorth));
    QCOMPARE(checksText(), "0 problems");
    QAbstractItemModelTester tester(differences()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    compareWith("other.dip", dipFile(384, kOther));
    DifferencesPanel* panel = window->panels().differences();
    QVERIFY(panel->isVisible());
    QVERIFY(!differences()->visibleRegion().isEmpty());
    QCOMPARE(rowsOf(differences()), kDifferenceLines);
    QStringList captions;
    for (int field = 0; field < differences()->model()->columnCount(); ++field)
        captions.append(differences()->model()->headerData(field, Qt::Horizontal).toString());
    QCOMPARE(captions, QStringList({"Channel", "Column", "This site", "Other site"}));
    QCOMPARE(panel->windowTitle(), "Differences (6)");
    QCOMPARE(panel->noteText(), "Compared with " + path("other.dip") + ".");
    QCOMPARE(checksText(), "0 problems, 6 differences");
}

void TestChecking::f8AndShiftF8GoThroughTheDifferences()
{
    openSite("north.dip", dipFile(384, kNorth));
    compareWith("other.dip", dipFile(384, kOther));
    grid()->setCurrentIndex(cell(0, Model::ColRelNam));
    QList<QModelIndex> visited;
    for (int i = 0; i <= kDifferences.size(); ++i) {
        QTest::keyClick(grid(), Qt::Key_F8);
        visited.append(grid()->currentIndex());
        QVERIFY(grid()->viewport()->rect().contains(grid()->visualRect(visited.last())));
    }
    QList<QModelIndex> expected;
    for (const auto& [row, column, theirs] : kDifferences)
        expected.append(cell(row, column));
    expected.append(expected.first()); // round the end
    QCOMPARE(visited, expected);

    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColBack));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColRelNam));
    // From a cell between two differences, either way.
    grid()->setCurrentIndex(cell(50, Model::ColStUp));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(47, Model::ColRelNam));
    grid()->setCurrentIndex(cell(50, Model::ColStUp));
    QTest::keyClick(grid(), Qt::Key_F8);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColRelNam));
    QCOMPARE(QApplication::focusWidget(), grid());
}

void TestChecking::comparisonFollowsEdits()
{
    openSite("north.dip", dipFile(384, kNorth));
    compareWith("other.dip", dipFile(384, kOther));
    enter(1, Model::ColRelNam, "TPR 2X");
    QVERIFY(!table().data(cell(1, Model::ColRelNam), Model::OtherValueRole).isValid());
    enter(10, Model::ColRelNam, "NEW");
    QCOMPARE(table().data(cell(10, Model::ColRelNam), Model::OtherValueRole).toString(),
             "Spare AA11");
    QStringList lines = kDifferenceLines;
    lines.removeAt(1);
    lines.insert(2, "AA11\tRelay name\tNEW\tSpare AA11");
    QCOMPARE(rowsOf(differences()), lines);
    QCOMPARE(checksText(), "0 problems, 6 differences");

    QTest::keySequence(grid(), QKeySequence::Undo);
    QTest::keySequence(grid(), QKeySequence::Undo);
    QCOMPARE(rowsOf(differences()), kDifferenceLines);

    // A second unit the other site lacks: its channels are one line, and marked.
    QComboBox* units = window->channelCountSelector();
    units->setFocus();
    QTest::keyClick(units, Qt::Key_Down);
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(rowsOf(differences()),
             kDifferenceLines + QStringList{"BA01-BH48\tChannels\tpresent\tabsent"});
    QCOMPARE(table().data(cell(700, Model::ColStUp), Model::OtherValueRole).toString(), "(none)");
    QCOMPARE(checksText(), "0 problems, 7 differences");
}

// The other site has a second unit that this one lacks: no row of the grid holds it, so F8
// goes round to the first difference and the panel's line for it leaves the current cell.
void TestChecking::otherSiteOfAnotherSize()
{
    openSite("north.dip", dipFile(384, kNorth));
    compareWith("other.dip", dipFile(768, kOther));
    QCOMPARE(rowsOf(differences()),
             kDifferenceLines + QStringList{"BA01-BH48\tChannels\tabsent\tpresent"});
    QCOMPARE(checksText(), "0 problems, 7 differences");
    grid()->setCurrentIndex(cell(100, Model::ColBack));
    QTest::keyClick(grid(), Qt::Key_F8);
    QCOMPARE(grid()->currentIndex(), cell(0, Model::ColBack));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColBack));

    doubleClickLine(differences(), differences()->model()->rowCount() - 1);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColBack));
    doubleClickLine(differences(), 1);
    QCOMPARE(grid()->currentIndex(), cell(1, Model::ColRelNam));
}

void TestChecking::comparisonEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("End comparison") << "end";
    QTest::newRow("New") << "new";
    QTest::newRow("Open") << "open";
}

void TestChecking::comparisonEnds()
{
    QFETCH(QString, how);
    openSite("north.dip", dipFile(384, kNorth));
    compareWith("other.dip", dipFile(384, kOther));
    QVERIFY(window->findChild<QAction*>("MnuEndCompare")->isEnabled());
    if (how == "end")
        fileMenu(Qt::Key_D);
    else if (how == "new")
        QTest::keySequence(grid(), QKeySequence::New);
    else
        openSite("north.dip", dipFile(384, kNorth));

    QVERIFY(!window->checks().comparing());
    for (const auto& [row, column, theirs] : kDifferences)
        QVERIFY(!table().data(cell(row, column), Model::OtherValueRole).isValid());
    QCOMPARE(rowsOf(differences()), QStringList());
    QCOMPARE(window->panels().differences()->noteText(),
             "No site is compared. File > Compare with... chooses one.");
    QCOMPARE(checksText(), "0 problems");
    for (const char* name : {"MnuEndCompare", "MnuSaveReport", "MnuNextDifference"})
        QVERIFY2(!window->findChild<QAction*>(name)->isEnabled(), name);
    grid()->setCurrentIndex(cell(5, Model::ColRelNam));
    QTest::keyClick(grid(), Qt::Key_F8);
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
}

void TestChecking::listOrCorvaneSiteHoldsNoStateTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CSV list") << "north.csv"
                              << QByteArray("AA01,TPR 1,Back\r\nAA02,TPR 2X,Front\r\n"
                                            "AA03,TPR 3,Back\r\n");
    QTest::newRow("Corvane site") << "kirkby/DChannel.cfg"
                                  << dchannelFile(
                                         {{"TPR 1", true}, {"TPR 2X", false}, {"TPR 3", true}});
}

// North's ON and OFF on AA03 are not marked: the other site has no state texts to differ.
void TestChecking::listOrCorvaneSiteHoldsNoStateTexts()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    openSite("north.dip", dipFile(384, kNorth));
    compareWith(name, bytes);
    QCOMPARE(rowsOf(differences()),
             (QStringList{"AA02\tRelay name\tTPR 2\tTPR 2X", "AA03\tBack contact\tFront\tBack"}));
    QCOMPARE(window->panels().differences()->noteText(),
             "Compared with " + path(name) +
                 ". State texts are not compared: the other site holds none.");
    for (int row = 0; row < 3; ++row) {
        QVERIFY(!table().data(cell(row, Model::ColStUp), Model::OtherValueRole).isValid());
        QVERIFY(!table().data(cell(row, Model::ColStDn), Model::OtherValueRole).isValid());
    }
    QCOMPARE(checksText(), "0 problems, 2 differences");
}

void TestChecking::reportHoldsBothSitesTheDateAndTheDifferences()
{
    openSite("north.dip", dipFile(384, kNorth));
    std::map<int, Record> other = kOther;
    other[5] = {"TPR \"6\",X"};
    compareWith("other.dip", dipFile(384, other));
    const qsizetype boxes = dialogs->messages().size();
    const QDate before = QDate::currentDate();
    dialogs->chooseNext(path("report.csv"));
    fileMenu(Qt::Key_P);
    const QDate after = QDate::currentDate();
    QCOMPARE(dialogs->fileRequests().last().title, "Save comparison report");
    QCOMPARE(dialogs->fileRequests().last().mode, FileDialogRequest::Mode::Save);

    const QByteArray report = readFile(dir->filePath("report.csv"));
    const QByteArray head = "This site," + path("north.dip").toLocal8Bit() + "\r\nOther site," +
                            path("other.dip").toLocal8Bit() + "\r\nDate,";
    const QByteArray rest = "\r\nChannel,Column,This site,Other site\r\n"
                            "AA01,Back contact,Back,Front\r\n"
                            "AA02,Relay name,TPR 2,TPR 2X\r\n"
                            "AA03,State down,OFF,OF \r\n"
                            "AA06,Relay name,Spare AA06,\"TPR \"\"6\"\",X\"\r\n"
                            "AA48,Relay name,Spare AA48,LAST\r\n"
                            "AC05,Relay name,Spare AC05,TPR 101\r\n"
                            "AC05,Back contact,Front,Back\r\n";
    QVERIFY2(report == head + before.toString(Qt::ISODate).toLatin1() + rest ||
                 report == head + after.toString(Qt::ISODate).toLatin1() + rest,
             report.constData());
    QCOMPARE(dialogs->messages().size(), boxes);
}

void TestChecking::problemsPanelFollowsEdits()
{
    QCOMPARE(rowsOf(problems()), QStringList());
    QCOMPARE(checksText(), "0 problems");
    enter(0, Model::ColRelNam, "=A1");
    const QString formula = "AA01\tRelay name\tBegins with \"=\": a spreadsheet may take it for a "
                            "formula";
    QTRY_COMPARE(rowsOf(problems()), QStringList{formula});
    QCOMPARE(checksText(), "1 problem");
    QCOMPARE(window->panels().problems()->windowTitle(), "Problems (1)");

    pasteAt(4, Model::ColRelNam, "TPR 1\tBack\nTPR 1\tBack\n\u03a9 RELAY\tFront\n");
    const QStringList all{formula, "AA05\tRelay name\tThe same relay and contact as AA06",
                          "AA06\tRelay name\tThe same relay and contact as AA05",
                          "AA07\tRelay name\tHolds characters the channel file writes as \"?\""};
    QTRY_COMPARE(rowsOf(problems()), all);
    QCOMPARE(checksText(), "4 problems");

    // The second relay moved to its other contact is no duplicate.
    pasteAt(5, Model::ColBack, "Front\n");
    QTRY_COMPARE(rowsOf(problems()), (QStringList{all[0], all[3]}));
    QTest::keySequence(grid(), QKeySequence::Undo);
    QTRY_COMPARE(rowsOf(problems()), all);
}

void TestChecking::doubleClickOnAProblemSelectsItsCell()
{
    pasteAt(20, Model::ColStUp, "\n");
    QTRY_COMPARE(rowsOf(problems()), QStringList{"AA21\tState up\tEmpty"});
    grid()->setCurrentIndex(cell(0, Model::ColRelNam));
    QVERIFY(!problems()->visibleRegion().isEmpty());
    doubleClickLine(problems(), 0);
    QCOMPARE(grid()->currentIndex(), cell(20, Model::ColStUp));
    QCOMPARE(QApplication::focusWidget(), grid());
}

// The site exported by Export to ZR415..., then the card's file checked with Verify card...,
// as it was written and with one byte altered.
void TestChecking::verifyCardFindsOneAlteredByte()
{
    enter(0, Model::ColRelNam, "TPR 1");
    enter(2, Model::ColStUp, "ON");
    const QString card = path("card/NORTH.dip");
    QVERIFY(QDir().mkpath(dir->filePath("card")));
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    QCOMPARE(lastBox(), "Card verified: 384 channels written to " + card);

    dialogs->chooseNext(card);
    fileMenu(Qt::Key_V);
    QCOMPARE(dialogs->fileRequests().last().title, "Verify card");
    QCOMPARE(lastBox(), "Card verified: 384 channels in " + card + " match the site.");

    QByteArray bytes = readFile(card);
    const int row = 52; // AB05
    bytes[16 + row * 40] = 'X';
    writeFile(card, bytes);
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_V);
    const MessageRequest box = dialogs->messages().last();
    QCOMPARE(box.text, card + " differs from the site in 1 place; the first is AB05.");
    QCOMPARE(box.icon, MessageIcon::Exclamation);
    QCOMPARE(rowsOf(differences()), QStringList{"AB05\tRelay name\tSpare AB05\tXpare AB05"});
    QCOMPARE(table().data(cell(row, Model::ColRelNam), Model::OtherValueRole).toString(),
             "Xpare AB05");
}

void TestChecking::exportReadsTheCardBack_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("box");
    const QString differs = "The card does not hold what was written to {card}: %1 differs.\r\n"
                            "Export to the card again, or use another card.";
    QTest::newRow("as written") << ""
                                << "Card verified: 384 channels written to {card}";
    // A byte of the name of AC02 (row 97), of the channel count, of the contact of AH48.
    QTest::newRow("a record") << "byte 3899" << differs.arg("channel AC02");
    QTest::newRow("the header") << "byte 9" << differs.arg("the header");
    QTest::newRow("the last record") << "byte 15353" << differs.arg("channel AH48");
    // The card ends after AE08 (200 records).
    QTest::newRow("shorter") << "cut 8016" << differs.arg("channel AE09");
    QTest::newRow("longer") << "longer" << differs.arg("the length of the file");
    QTest::newRow("unreadable") << "unreadable"
                                << "The card could not be read back to verify it:\r\n{card}\r\n"
                                   "Input/output error";
}

// What the card gives back comes through the read-back seam.
void TestChecking::exportReadsTheCardBack()
{
    QFETCH(QString, change);
    QFETCH(QString, box);
    window->checks().setCardReader([change](const QString& file, QString& error) {
        QByteArray bytes = readFile(file);
        const QStringList words = change.split(' ');
        if (words[0] == "byte")
            bytes[words[1].toInt()] = char(bytes[words[1].toInt()] ^ 0x20);
        else if (words[0] == "cut")
            bytes.truncate(words[1].toInt());
        else if (words[0] == "longer")
            bytes += QByteArray(40, '\0');
        else if (words[0] == "unreadable")
            error = "Input/output error";
        return bytes;
    });
    const QString card = path("NORTH.dip");
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    const MessageRequest shown = dialogs->messages().last();
    QCOMPARE(shown.text, QString(box).replace("{card}", card));
    QCOMPARE(shown.icon, change.isEmpty() ? MessageIcon::Information : MessageIcon::Critical);
    // The new site's default channels, as written whatever the card gave back.
    QCOMPARE(readFile(card), dipFile(384, {}));
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
