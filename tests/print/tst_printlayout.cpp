// Where the site record's parts and the labels fall on their pages, worked out without drawing.
#include "print/LabelSheetGrid.h"
#include "print/SiteRecordLayout.h"

#include <QTest>

using Block = SiteRecordLayout::Block;

namespace {

// Printable areas in points: the paper less half an inch all round.
const QSizeF kA4Area(595.28 - 72, 841.89 - 72);
const QSizeF kLetterArea(612 - 72, 792 - 72);

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void everyRowOnceAboveTheFooter_data()
    {
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<bool>("wholeCards"); // a page holds a whole card
        QTest::newRow("A4") << kA4Area << true;
        QTest::newRow("Letter") << kLetterArea << true;
        QTest::newRow("half a page") << QSizeF(500, 400) << false;
        QTest::newRow("a strip") << QSizeF(500, 120) << false;
        QTest::newRow("less than a row") << QSizeF(500, 50) << false;
    }

    // Every row exactly once and in order; a card's heading again on each page it runs onto. A
    // card that fits is whole and above the footer.
    void everyRowOnceAboveTheFooter()
    {
        QFETCH(QSizeF, area);
        QFETCH(bool, wholeCards);
        const SiteRecordLayout layout(384, area);
        int nextRow = 0;
        int card = -1;
        for (const SiteRecordLayout::Page& page : layout.pages()) {
            QVERIFY(!page.isEmpty());
            for (const Block& block : page) {
                if (block.kind == Block::Kind::CardHeading) {
                    QCOMPARE(block.continued, block.card == card);
                    card = block.card;
                }
                if (block.kind != Block::Kind::Rows)
                    continue;
                QCOMPARE(block.card, card);
                QCOMPARE(block.firstRow, nextRow);
                QVERIFY(block.rowCount >= 1);
                if (wholeCards) {
                    QCOMPARE(block.rowCount, 48);
                    QVERIFY(block.top + block.height <= layout.bodyBottom());
                }
                nextRow += block.rowCount;
            }
            const Block& first = page.first();
            QVERIFY(first.kind != Block::Kind::Rows);
        }
        QCOMPARE(nextRow, 384);
    }

    void gridProblems_data()
    {
        QTest::addColumn<LabelSheetGrid>("grid");
        QTest::addColumn<QString>("problem");
        const LabelSheetGrid stock;
        QTest::newRow("the usual stock") << stock << "";
        LabelSheetGrid grid = stock;
        grid.columns = 0;
        QTest::newRow("no column") << grid << "at least one column";
        grid = stock;
        grid.labelHeight = 0;
        QTest::newRow("no height") << grid << "at least 10 mm wide and 5 mm high";
        grid.labelHeight = qQNaN();
        QTest::newRow("height not a number") << grid << "at least 10 mm wide";
        // As many labels as a stored setting may say, each small enough to lie on the sheet.
        grid = stock;
        grid.columns = grid.rows = 65536;
        grid.labelWidth = grid.labelHeight = 0.001;
        grid.leftMargin = grid.topMargin = grid.columnGap = 0;
        QTest::newRow("65536 x 65536") << grid << "at most 20 columns and 40 rows";
        grid.columns = grid.rows = 20;
        QTest::newRow("specks") << grid << "at least 10 mm wide";
        grid = stock;
        grid.rowGap = -1;
        QTest::newRow("negative gap") << grid << "cannot be negative";
        // Three labels of 70 mm: 212 mm, wider than A4's 210 and narrower than Letter's 215.9;
        // seven rows from 5 mm down fit Letter's 279.4.
        grid = stock;
        grid.topMargin = 5;
        grid.leftMargin = 1;
        grid.columnGap = 0.5;
        grid.labelWidth = 70;
        QTest::newRow("wider than A4") << grid << "beyond the 210.0 x 297.0 mm sheet";
        grid.paper = QPageSize::Letter;
        QTest::newRow("as wide on Letter") << grid << "";
        grid = stock;
        grid.rows = 8;
        QTest::newRow("a row too many") << grid << "beyond";
        // 15.1 + 7 x 38.1 = 281.8: exactly as typed, with the sheet's own rounding left over.
        grid = stock;
        grid.topMargin = 297 - 7 * 38.1;
        QTest::newRow("to the sheet's edge") << grid << "";
    }

    void gridProblems()
    {
        QFETCH(LabelSheetGrid, grid);
        QFETCH(QString, problem);
        if (problem.isEmpty())
            QCOMPARE(grid.problem(), QString());
        else
            QVERIFY2(grid.problem().contains(problem), qPrintable(grid.problem()));
    }

    void labelsGoAcrossThenDown()
    {
        LabelSheetGrid grid;
        grid.leftMargin = 10;
        grid.topMargin = 20;
        grid.labelWidth = 60;
        grid.labelHeight = 30;
        grid.columnGap = 5;
        grid.rowGap = 2;
        const double mm = 72 / 25.4;
        // Label 4 of three columns: the second column of the second row.
        QCOMPARE(grid.labelRect(4), QRectF((10 + 65) * mm, (20 + 32) * mm, 60 * mm, 30 * mm));
        QCOMPARE(grid.labelRect(0).topLeft(), QPointF(10 * mm, 20 * mm));
    }
};

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
