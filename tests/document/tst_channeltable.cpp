#include "commands/ChannelCount.h"
#include "commands/ComparisonMarks.h"
#include "document/ChannelTableModel.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>

namespace {

using Model = ChannelTableModel;

} // namespace

class TestChannelTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<Model> table;
    // Watches every insert, removal and reset the table signals during a test.
    std::unique_ptr<QAbstractItemModelTester> tester;

private slots:
    // The tester hands the table invalid indexes on purpose; the warnings about them are noise.
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }

    void init()
    {
        tester.reset();
        table = std::make_unique<Model>();
        tester = std::make_unique<QAbstractItemModelTester>(
            table.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(ChannelCount::SetChannelCount(*table, 384, ChannelCount::FillAllRows));
    }

    // A comparison changes the marks of every cell, not the site: what follows the site's
    // cells (checks, recovery copy, status) is not woken by it.
    void comparingChangesOnlyTheMarks()
    {
        QSignalSpy changed(table.get(), &Model::dataChanged);
        QSignalSpy siteEdited(table.get(), &Model::siteDataChanged);
        ChannelRows other = table->rows();
        other[1].relNam = "OTHER";
        ComparisonMarks marks(*table);
        marks.set(other, true);
        const QModelIndex cell = table->index(1, Model::ColRelNam);
        QCOMPARE(cell.data(ComparisonMarks::OtherValueRole).toString(), "OTHER");
        QCOMPARE(cell.data(Qt::ToolTipRole).toString(), "The other site: OTHER");
        marks.clear();
        QVERIFY(!cell.data(ComparisonMarks::OtherValueRole).isValid());
        QCOMPARE(changed.size(), 2);
        QCOMPARE(siteEdited.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
