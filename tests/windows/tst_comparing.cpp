// What a comparison shows that a scenario cannot say: the marks as drawn, the tooltips under
// the mouse, the report dated and stamped as it is saved, the other file changed behind it.
#include "commands/CheckCommands.h"
#include "common/ChannelLabel.h"
#include "support/DipBytes.h"
#include "support/FingerprintOf.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridDelegate.h"

#include <QAction>
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
} // namespace

class TestComparing : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void init()
    {
        QVERIFY(openWindow());
        writeFile(path("north.dip"), dipFile(kNorth));
        openByKeys(path("north.dip"));
    }
    void cleanup()
    {
        QToolTip::hideText();
        verifyScriptUsed();
        closeWindow();
    }

    void differingCellsAreMarkedAndTipped();
    void reportHoldsBothSitesTheDateAndTheDifferences();
    void comparisonFollowsTheOtherFile();

private:
    void compareWith(const std::map<int, DipChannel>& other)
    {
        writeFile(path("other.dip"), dipFile(other));
        dialogs->chooseNext(path("other.dip"));
        fileMenu(Qt::Key_C);
    }
    CheckCommands& checks() const { return partOf<CheckCommands>(*window); }
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

// The mark as drawn, in a corner away from the text, on a cell neither current nor selected.
void TestComparing::differingCellsAreMarkedAndTipped()
{
    compareWith(kOther);
    QCOMPARE(shownTooltip(1, Model::ColRelNam), "The other site: TPR 2X");
    QCOMPARE(shownTooltip(1, Model::ColBack), "");
    grid()->setCurrentIndex(cell(200, Model::ColChan));
    grid()->selectionModel()->clearSelection();
    const auto drawn = [this](int row, int column) {
        grid()->scrollTo(cell(row, column));
        const QRect rect = grid()->visualRect(cell(row, column));
        return grid()->viewport()->grab().toImage().pixel(rect.right() - 3, rect.top() + 3);
    };
    QCOMPARE(drawn(100, Model::ColBack), ChannelGridDelegate::kDifferenceMark);
    QVERIFY(drawn(1, Model::ColStUp) != ChannelGridDelegate::kDifferenceMark);
    fileMenu(Qt::Key_M);
    QCOMPARE(shownTooltip(1, Model::ColRelNam), "");
}

// Headed by both files with their times and fingerprints, the open site's unsaved changes and
// the counts; a line per difference.
void TestComparing::reportHoldsBothSitesTheDateAndTheDifferences()
{
    std::map<int, DipChannel> other = kOther;
    other[5] = {"TPR \"6\",X"};
    compareWith(other);
    grid()->setCurrentIndex(cell(383, Model::ColRelNam));
    typeKeys("EDITED");
    dialogs->chooseNext(path("report.csv"));
    fileMenu(Qt::Key_P);
    QCOMPARE(dialogs->fileRequests().last().title, "Save comparison report");

    const auto stamp = [this](const QString& name) {
        return QFileInfo(path(name)).lastModified().toString("yyyy-MM-dd HH:mm:ss").toLatin1();
    };
    const auto fingerprint = [](const QByteArray& bytes) {
        return fingerprintOf(bytes).toLatin1();
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
    compareWith(kOther);
    std::map<int, DipChannel> changed = kNorth;
    changed[1] = {"TPR 2Y"};
    writeFile(path("other.dip"), dipFile(changed));
    QTRY_COMPARE(DifferenceLines(checks().comparison()),
                 QStringList{"AA02\tRelay name\tTPR 2\tTPR 2Y"});
    dialogs->chooseNext(path("other.dip"));
    fileMenu(Qt::Key_A);
    QCOMPARE(partOf<DocumentCommands>(*window).site().sitePath, path("other.dip"));
    QTRY_VERIFY(checks().comparing() && checks().comparison().same());
    QCOMPARE(checks().otherFile().fingerprint(),
             window->findChild<QLabel*>("StatusFingerprint")->text());
    QFile::remove(path("other.dip"));
    QTRY_VERIFY(!checks().comparing());
    QVERIFY(dialogs->messages().last().text.contains("could not be read again"));
}

QTEST_MAIN(TestComparing)
#include "tst_comparing.moc"
