#include "commands/ChannelCount.h"
#include "commands/ComparisonMarks.h"
#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>

namespace {

using Model = ChannelTableModel;

const ChannelRow kEdited{"Edited", true, "ON", "OFF"};

ChannelRow spare(int channel)
{
    return {"Spare " + ModFunc::ChannelLabel(channel), false, "UP", "DN"};
}

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

    void userChoice_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("choice");
        QTest::addColumn<MessageAnswer>("answer"); // Ok when nothing is asked
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("rows");
        const QString shrink = "Delete channels BA01 to CH48?\r\n";
        const auto ok = MessageAnswer::Ok;
        QTest::newRow("grow asks nothing") << 384 << 1 << ok << "" << 768;
        QTest::newRow("shrink, OK") << 1152 << 0 << ok << shrink << 384;
        QTest::newRow("shrink, Cancel") << 1152 << 0 << MessageAnswer::Cancel << shrink << 1152;
        QTest::newRow("same count asks nothing") << 384 << 0 << ok << "" << 384;
    }

    // Only an applied choice touches the rows; a cancelled one puts the selector back.
    void userChoice()
    {
        QFETCH(int, start);
        QFETCH(int, choice);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, question);
        QFETCH(int, rows);
        QVERIFY(ChannelCount::SetChannelCount(*table, start, ChannelCount::FillAllRows));
        table->applyUserRows({{start - 1, kEdited}});
        ScriptedDialogs dialogs;
        if (!question.isEmpty())
            dialogs.answerNext(answer);
        QSignalSpy changed(table.get(), &Model::dataChanged);
        QSignalSpy reset(table.get(), &Model::modelReset);
        const bool applied = rows != start;
        const bool confirmed = ChannelCount::ConfirmChoice(*table, choice);
        if (confirmed)
            table->resizeTo((choice + 1) * 384);
        QCOMPARE(confirmed, applied);
        QCOMPARE(dialogs.texts(), question.isEmpty() ? QStringList() : QStringList{question});
        QCOMPARE(table->rowCount(), rows);
        if (applied)
            QCOMPARE(table->channel(rows - 1), spare(rows));
        else
            QCOMPARE(changed.size() + reset.size(), 0);
        if (rows >= start)
            QCOMPARE(table->channel(start - 1), kEdited);
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
