// What a comparison shows that a scenario cannot say: the marks as drawn, the tooltips under
// the mouse.
#include "common/ChannelLabel.h"
#include "support/DipBytes.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridDelegate.h"

#include <QAction>
#include <QHelpEvent>
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

private:
    void compareWith(const std::map<int, DipChannel>& other)
    {
        writeFile(path("other.dip"), dipFile(other));
        dialogs->chooseNext(path("other.dip"));
        fileMenu(Qt::Key_C);
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
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 30000))
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

QTEST_MAIN(TestComparing)
#include "tst_comparing.moc"
