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

    // Growing adds default rows, shrinking drops rows from the end, by the model's signals;
    // kept rows keep their values.
    void resizeKeepsRows()
    {
        table->applyUserRows({{383, {"Kept", true, "ON", "OFF"}}});
        QVERIFY(ChannelCount::SetChannelCount(*table, 385, ChannelCount::FillAddedRows));
        QCOMPARE(table->rowCount(), 768);
        QCOMPARE(table->channel(383).relNam, "Kept");
        QCOMPARE(table->channel(767).relNam, "Spare BH48");
        table->resizeTo(384);
        QCOMPARE(table->rowCount(), 384);
        QCOMPARE(table->channel(383).relNam, "Kept");
    }

    // Edits as a view hands them over: the check state as a plain int, names longer than the
    // file holds. Only a change is an edit; the label is no cell to edit.
    void viewEdits()
    {
        QSignalSpy edited(table.get(), &Model::dataChanged);
        QSignalSpy siteEdited(table.get(), &Model::siteDataChanged);
        const auto edit = [this](int column, const QVariant& value, int role = Qt::EditRole) {
            return table->setData(table->index(0, column), value, role);
        };
        QVERIFY(edit(Model::ColBack, int(Qt::Checked), Qt::CheckStateRole));
        QVERIFY(edit(Model::ColRelNam, "ABCDEFGHIJKLMNOPQRST"));
        QVERIFY(edit(Model::ColStUp, "HI"));
        QVERIFY(edit(Model::ColStDn, "LO"));
        QVERIFY(edit(Model::ColStDn, "LO"));
        QVERIFY(!edit(Model::ColChan, "ZZ99"));
        QCOMPARE(edited.size(), 4);
        QCOMPARE(siteEdited.size(), 4);
        QCOMPARE(table->channel(0), (ChannelRow{"ABCDEFGHIJKLMNOP", true, "HI", "LO"}));
        QCOMPARE(table->data(table->index(0, Model::ColChan)).toString(), "AA01");
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
