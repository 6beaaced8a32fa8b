// Comparing with another site as a checker does: the File menu by its keys, F8 on the grid,
// the differences panel by the mouse, every file dialog answered by the script. The sites
// compared are built byte by byte from the file layouts.
#include "commands/CheckCommands.h"
#include "common/ChannelLabel.h"
#include "support/CorvaneSite.h"
#include "support/DipBytes.h"
#include "support/PanelLines.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridDelegate.h"
#include "windows/CheckPanels.h"
#include "windows/DifferencesPanel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QHelpEvent>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolTip>

#include <map>

using Model = ChannelTableModel;

namespace {

// A channel file with spares where `records` names no channel. Keys are rows.
QByteArray dipFile(int channels, const std::map<int, DipChannel>& records)
{
    QList<DipChannel> rows;
    for (int row = 0; row < channels; ++row) {
        const auto given = records.find(row);
        rows.append(given != records.end()
                        ? given->second
                        : DipChannel{"Spare " + ModFunc::ChannelLabel(row + 1).toLatin1()});
    }
    return dipBytes(rows);
}

// The open site of most tests, and the other site it is compared with.
const std::map<int, DipChannel> kNorth{
    {0, {"TPR 1", true}}, {1, {"TPR 2"}}, {2, {"TPR 3", false, "ON", "OFF"}}};
const std::map<int, DipChannel> kOther{{0, {"TPR 1", false}},
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

} // namespace

class TestComparing : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A menu opened by Alt+F takes its letter at once.
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    }
    void init()
    {
        QVERIFY(dir.isValid());
        QVERIFY(openWindow());
    }
    void cleanup()
    {
        QToolTip::hideText();
        verifyScriptUsed();
        closeWindow();
    }

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

private:
    QString path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    QString checksText() const { return window->findChild<QLabel*>("StatusChecks")->text(); }
    QTreeView* differences() const { return window->panels().differences()->list(); }
    void openSite(const QString& name, const QByteArray& bytes)
    {
        writeFile(dir.filePath(name), bytes);
        openByKeys(path(name));
    }
    void compareWith(const QString& name, const QByteArray& bytes)
    {
        writeFile(dir.filePath(name), bytes);
        dialogs->chooseNext(path(name));
        fileMenu(Qt::Key_C);
        QCOMPARE(dialogs->fileRequests().last().title, "Compare with");
    }
    // The other site's text in the cell's tooltip, as the grid shows it under the mouse.
    QString shownTooltip(int row, int column);
    QRgb drawnBackground(int row, int column);

    QTemporaryDir dir;
};

QString TestComparing::shownTooltip(int row, int column)
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
QRgb TestComparing::drawnBackground(int row, int column)
{
    const QModelIndex index = cell(row, column);
    grid()->scrollTo(index);
    const QRect rect = grid()->visualRect(index);
    return grid()->viewport()->grab().toImage().pixel(rect.right() - 3, rect.top() + 3);
}

void TestComparing::compareWithMarksEveryDifferingCell()
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

void TestComparing::differencesPanelListsThemAndCountsThem()
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

void TestComparing::f8AndShiftF8GoThroughTheDifferences()
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

void TestComparing::comparisonFollowsEdits()
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
void TestComparing::otherSiteOfAnotherSize()
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

void TestComparing::comparisonEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("End comparison") << "end";
    QTest::newRow("New") << "new";
    QTest::newRow("Open") << "open";
}

void TestComparing::comparisonEnds()
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

void TestComparing::listOrCorvaneSiteHoldsNoStateTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CSV list") << "north.csv"
                              << QByteArray("AA01,TPR 1,Back\r\nAA02,TPR 2X,Front\r\n"
                                            "AA03,TPR 3,Back\r\n");
    QTest::newRow("Corvane site") << "kirkby/DChannel.cfg"
                                  << CorvaneSite::allocationBytes(
                                         {{"TPR 1", true}, {"TPR 2X", false}, {"TPR 3", true}});
}

// North's ON and OFF on AA03 are not marked: the other site has no state texts to differ.
void TestComparing::listOrCorvaneSiteHoldsNoStateTexts()
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

void TestComparing::reportHoldsBothSitesTheDateAndTheDifferences()
{
    openSite("north.dip", dipFile(384, kNorth));
    std::map<int, DipChannel> other = kOther;
    other[5] = {"TPR \"6\",X"};
    compareWith("other.dip", dipFile(384, other));
    const qsizetype boxes = dialogs->messages().size();
    const QDate before = QDate::currentDate();
    dialogs->chooseNext(path("report.csv"));
    fileMenu(Qt::Key_P);
    const QDate after = QDate::currentDate();
    QCOMPARE(dialogs->fileRequests().last().title, "Save comparison report");
    QCOMPARE(dialogs->fileRequests().last().mode, FileDialogRequest::Mode::Save);

    const QByteArray report = readFile(dir.filePath("report.csv"));
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

QTEST_MAIN(TestComparing)
#include "tst_comparing.moc"
