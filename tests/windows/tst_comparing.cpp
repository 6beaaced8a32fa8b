// Comparing with another site as a checker does: the File menu by its keys, F8 on the grid,
// the differences panel by the mouse.
#include "commands/CheckCommands.h"
#include "common/ChannelLabel.h"
#include "support/CorvaneSite.h"
#include "support/DipBytes.h"
#include "support/PanelLines.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridDelegate.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDate>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <map>

using Model = ChannelTableModel;

namespace {

// A channel file with spares where `records` names no channel. Keys are rows.
QByteArray dipFile(const std::map<int, DipChannel>& records)
{
    QList<DipChannel> rows;
    for (int row = 0; row < 384; ++row) {
        const auto given = records.find(row);
        rows.append(given != records.end()
                        ? given->second
                        : DipChannel{"Spare " + ModFunc::ChannelLabel(row + 1).toLatin1()});
    }
    return dipBytes(rows);
}

const std::map<int, DipChannel> kNorth{
    {0, {"TPR 1", true}}, {1, {"TPR 2"}}, {2, {"TPR 3", false, "ON", "OFF"}}};
const std::map<int, DipChannel> kOther{{0, {"TPR 1", false}},
                                       {1, {"TPR 2X"}},
                                       {2, {"TPR 3", false, "ON", "OF"}},
                                       {47, {"LAST"}},
                                       {100, {"TPR 101", true}}};
// The differing cells in the grid's order.
const QList<std::pair<int, int>> kDifferences{{0, Model::ColBack},     {1, Model::ColRelNam},
                                              {2, Model::ColStDn},     {47, Model::ColRelNam},
                                              {100, Model::ColRelNam}, {100, Model::ColBack}};
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
    void initTestCase() { prepareApplication(); }
    void init()
    {
        QVERIFY(openWindow());
        openSite("north.dip", dipFile(kNorth));
    }
    void cleanup()
    {
        QToolTip::hideText();
        verifyScriptUsed();
        closeWindow();
    }

    void compareWithMarksCellsAndListsThem();
    void f8AndShiftF8GoThroughTheDifferences();
    void comparisonEnds_data();
    void comparisonEnds();
    void listOrCorvaneSiteHoldsNoStateTexts_data();
    void listOrCorvaneSiteHoldsNoStateTexts();
    void reportHoldsBothSitesTheDateAndTheDifferences();
    void comparisonFollowsTheOtherFile();

private:
    QTreeView* differences() const { return &partOf<QTreeView>(*window, "DifferencesList"); }
    CheckCommands& checks() const { return partOf<CheckCommands>(*window); }
    void openSite(const QString& name, const QByteArray& bytes)
    {
        writeFile(path(name), bytes);
        openByKeys(path(name));
    }
    void compareWith(const QString& name, const QByteArray& bytes)
    {
        writeFile(path(name), bytes);
        dialogs->clear();
        dialogs->chooseNext(path(name));
        fileMenu(Qt::Key_C);
        QCOMPARE(dialogs->fileRequests().last().title, "Compare with");
        // What the read said goes into the Differences panel: the open site did not change.
        QCOMPARE(dialogs->texts(), QStringList());
    }
    QString shownTooltip(int row, int column);
};

// The tooltip as the grid shows it under the mouse.
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

void TestComparing::compareWithMarksCellsAndListsThem()
{
    QAbstractItemModelTester panelTester(differences()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    compareWith("other.dip", dipFile(kOther));
    QCOMPARE(shownTooltip(1, Model::ColRelNam), "The other site: TPR 2X");
    QCOMPARE(shownTooltip(1, Model::ColBack), "");

    // The mark as drawn, in a corner away from the text, on a cell neither current nor selected.
    grid()->setCurrentIndex(cell(200, Model::ColChan));
    grid()->selectionModel()->clearSelection();
    const auto drawn = [this](int row, int column) {
        grid()->scrollTo(cell(row, column));
        const QRect rect = grid()->visualRect(cell(row, column));
        return grid()->viewport()->grab().toImage().pixel(rect.right() - 3, rect.top() + 3);
    };
    QCOMPARE(drawn(100, Model::ColBack), ChannelGridDelegate::kDifferenceMark);
    QVERIFY(drawn(1, Model::ColStUp) != ChannelGridDelegate::kDifferenceMark);

    QVERIFY(!differences()->visibleRegion().isEmpty());
    QCOMPARE(rowsOf(differences()), kDifferenceLines);
    QCOMPARE(partOf<QWidget>(*window, "DifferencesPanel").windowTitle(), "Differences (6)");
    QCOMPARE(statusText("StatusChecks"), "0 problems, 6 differences");
    doubleClickLine(differences(), 4);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColRelNam));
}

void TestComparing::f8AndShiftF8GoThroughTheDifferences()
{
    compareWith("other.dip", dipFile(kOther));
    grid()->setCurrentIndex(cell(0, Model::ColRelNam));
    QList<QModelIndex> visited;
    for (int i = 0; i <= kDifferences.size(); ++i) {
        QTest::keyClick(grid(), Qt::Key_F8);
        visited.append(grid()->currentIndex());
        QVERIFY(grid()->viewport()->rect().contains(grid()->visualRect(visited.last())));
    }
    QList<QModelIndex> expected;
    for (const auto& [row, column] : kDifferences)
        expected.append(cell(row, column));
    expected.append(expected.first()); // round the end
    QCOMPARE(visited, expected);

    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(100, Model::ColBack));
    grid()->setCurrentIndex(cell(50, Model::ColStUp));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(grid()->currentIndex(), cell(47, Model::ColRelNam));
    QCOMPARE(QApplication::focusWidget(), grid());
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
    compareWith("other.dip", dipFile(kOther));
    if (how == "end")
        fileMenu(Qt::Key_M);
    else if (how == "new")
        QTest::keySequence(grid(), QKeySequence::New);
    else
        openSite("north.dip", dipFile(kNorth));

    QCOMPARE(shownTooltip(1, Model::ColRelNam), "");
    QCOMPARE(rowsOf(differences()), QStringList());
    QCOMPARE(statusText("StatusChecks"), "0 problems");
    QVERIFY(!window->findChild<QAction*>("MnuEndCompare")->isEnabled());
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
    compareWith(name, bytes);
    QCOMPARE(rowsOf(differences()),
             (QStringList{"AA02\tRelay name\tTPR 2\tTPR 2X", "AA03\tBack contact\tFront\tBack"}));
    QCOMPARE(partOf<QLabel>(*window, "DifferencesNote").text(),
             "Compared with " + path(name) +
                 ". State texts are not compared: the other site holds none. 3 channels imported.");
    QCOMPARE(shownTooltip(2, Model::ColStUp), "");
}

// Headed by both files with their times and fingerprints, the open site's unsaved changes and
// the counts; a line per difference.
void TestComparing::reportHoldsBothSitesTheDateAndTheDifferences()
{
    std::map<int, DipChannel> other = kOther;
    other[5] = {"TPR \"6\",X"};
    compareWith("other.dip", dipFile(other));
    grid()->setCurrentIndex(cell(383, Model::ColRelNam));
    typeKeys("EDITED");
    dialogs->chooseNext(path("report.csv"));
    fileMenu(Qt::Key_P);
    QCOMPARE(dialogs->fileRequests().last().title, "Save comparison report");

    const auto stamp = [this](const QString& name) {
        return QFileInfo(path(name)).lastModified().toString("yyyy-MM-dd HH:mm:ss").toLatin1();
    };
    const auto fingerprint = [](const QByteArray& bytes) {
        const QByteArray hex =
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toUpper();
        return hex.mid(0, 4) + '-' + hex.mid(4, 4) + '-' + hex.mid(8, 4) + '-' + hex.mid(12, 4);
    };
    QList<QByteArray> lines = readFile(path("report.csv")).split('\n');
    QCOMPARE(lines.size(), 21);
    QVERIFY(lines[7].startsWith("Date," + QDate::currentDate().toString(Qt::ISODate).toLatin1()));
    lines.removeAt(7);
    std::map<int, DipChannel> ours = kNorth;
    ours[383] = {"EDITED"};
    QCOMPARE(lines.join('\n'),
             "This site," + path("north.dip").toLocal8Bit() + "\r\n" + "This site modified," +
                 stamp("north.dip") + "\r\n" + "This site fingerprint," +
                 fingerprint(dipFile(ours)) + "\r\n" + "This site unsaved changes,Yes\r\n" +
                 "Other site," + path("other.dip").toLocal8Bit() + "\r\n" + "Other site modified," +
                 stamp("other.dip") + "\r\n" + "Other site fingerprint," +
                 fingerprint(dipFile(other)) + "\r\n" +
                 "Differences,8\r\nChannels differing,7\r\nChannels only in one site,0\r\n"
                 "Channel,Column,This site,Other site\r\n"
                 "AA01,Back contact,Back,Front\r\n"
                 "AA02,Relay name,TPR 2,TPR 2X\r\n"
                 "AA03,State down,OFF,OF \r\n"
                 "AA06,Relay name,Spare AA06,\"TPR \"\"6\"\",X\"\r\n"
                 "AA48,Relay name,Spare AA48,LAST\r\n"
                 "AC05,Relay name,Spare AC05,TPR 101\r\n"
                 "AC05,Back contact,Front,Back\r\n"
                 "AH48,Relay name,EDITED,Spare AH48\r\n");
}

// Whoever changes the other file, this editor's Save included, the comparison is read again;
// one that no longer reads ends it.
void TestComparing::comparisonFollowsTheOtherFile()
{
    compareWith("other.dip", dipFile(kOther));
    std::map<int, DipChannel> changed = kNorth;
    changed[1] = {"TPR 2Y"};
    writeFile(path("other.dip"), dipFile(changed));
    QTRY_COMPARE(DifferenceLines(checks().comparison()),
                 QStringList{"AA02\tRelay name\tTPR 2\tTPR 2Y"});
    dialogs->chooseNext(path("other.dip"));
    fileMenu(Qt::Key_A);
    QCOMPARE(commands().site().sitePath, path("other.dip"));
    QTRY_VERIFY(checks().comparing() && checks().comparison().same());
    QCOMPARE(checks().otherFile().fingerprint(),
             window->findChild<QLabel*>("StatusFingerprint")->text());
    QFile::remove(path("other.dip"));
    QTRY_VERIFY(!checks().comparing());
    QVERIFY(dialogs->messages().last().text.contains("could not be read again"));
}

QTEST_MAIN(TestComparing)
#include "tst_comparing.moc"
