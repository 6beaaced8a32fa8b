#include "common/ChannelLabel.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/UserChannelChoice.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

using Model = ChannelTableModel;

QVariant cell(const Model& table, int row, int column, int role = Qt::DisplayRole)
{
    return table.data(table.index(row, column), role);
}

void verifyDefaultRow(const Model& table, int row, const QString& label)
{
    QCOMPARE(cell(table, row, Model::ColChan).toString(), label);
    QCOMPARE(cell(table, row, Model::ColRelNam).toString(), "Spare " + label);
    QCOMPARE(cell(table, row, Model::ColBack, Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QCOMPARE(cell(table, row, Model::ColStUp).toString(), "UP");
    QCOMPARE(cell(table, row, Model::ColStDn).toString(), "DN");
}

const ChannelRow kEdited{"Edited", true, "ON", "OFF"};

} // namespace

class TestChannelTable : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void modelStaysConsistent();
    void defaultRows();
    void choices_data();
    void choices();
    void setChannelCount_data();
    void setChannelCount();
    void userChoice_data();
    void userChoice();
    void shrinkThenGrowGivesDefaults();
    void onlyViewEditsRaiseCellEdited();
    void relayNameEditsAreCutTo16();

private:
    std::unique_ptr<Model> table;
};

void TestChannelTable::init()
{
    table = std::make_unique<Model>();
    QVERIFY(table->SetChannelCount(384, Model::FillAllRows));
}

void TestChannelTable::modelStaysConsistent()
{
    ScriptedDialogs dialogs;
    QAbstractItemModelTester tester(table.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(table->SetChannelCount(768, Model::FillAddedRows));
    QVERIFY(table->setData(table->index(3, Model::ColRelNam), "Relay"));
    QVERIFY(table->setData(table->index(3, Model::ColBack), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(table->setData(table->index(767, Model::ColStDn), "LO"));
    QVERIFY(!table->setData(table->index(0, Model::ColChan), "XX01"));
    QVERIFY(table->SetChannelCount(3072, Model::FillAllRows));
    dialogs.answerNext(MessageAnswer::Ok);
    QVERIFY(ApplyUserChannelChoice(*table, 1));
    table->resizeTo(384);
    table->FillDefaultRows(100);
    QVERIFY(table->SetChannelCount(1152, Model::FillAddedRows));
    QCOMPARE(table->rowCount(), 1152);
    QCOMPARE(table->columnCount(), 5);
}

void TestChannelTable::defaultRows()
{
    QCOMPARE(table->rowCount(), 384);
    QCOMPARE(table->selectedChoice(), 0);
    verifyDefaultRow(*table, 0, "AA01");
    verifyDefaultRow(*table, 383, "AH48");
    const QStringList captions{"Chan", "Relay name", "Back contact", "State up", "State down"};
    for (int column = 0; column < Model::ColumnCount; ++column)
        QCOMPARE(table->headerData(column, Qt::Horizontal).toString(), captions[column]);
    QVERIFY(!(table->flags(table->index(0, Model::ColChan)) & Qt::ItemIsEditable));
    QVERIFY(table->flags(table->index(0, Model::ColBack)) & Qt::ItemIsUserCheckable);
    QVERIFY(table->flags(table->index(0, Model::ColStUp)) & Qt::ItemIsEditable);
}

void TestChannelTable::choices_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channels");
    for (int k = 1; k <= 8; ++k)
        QTest::addRow("%d", k) << k - 1 << QString("%1 unit - %2 ch").arg(k).arg(k * 384)
                               << k * 384;
}

void TestChannelTable::choices()
{
    QFETCH(int, choice);
    QFETCH(QString, text);
    QFETCH(int, channels);
    QCOMPARE(Model::choiceText(choice), text);
    QCOMPARE(Model::choiceChannels(choice), channels);
}

void TestChannelTable::setChannelCount_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("fillMode");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("firstRowKept");
    QTest::newRow("384 all") << 384 << 4 << 384 << 0 << false;
    QTest::newRow("385 all") << 385 << 4 << 768 << 1 << false;
    QTest::newRow("1536 all") << 1536 << 4 << 1536 << 3 << false;
    QTest::newRow("3073 all") << 3073 << 4 << 3072 << 7 << false;
    QTest::newRow("5000 added") << 5000 << 2 << 3072 << 7 << true;
    QTest::newRow("768 added") << 768 << 2 << 768 << 1 << true;
    QTest::newRow("0") << 0 << 4 << 384 << -1 << true;
    QTest::newRow("-1") << -1 << 2 << 384 << -1 << true;
}

void TestChannelTable::setChannelCount()
{
    QFETCH(int, requested);
    QFETCH(int, fillMode);
    QFETCH(int, rows);
    QFETCH(int, choice);
    QFETCH(bool, firstRowKept);
    ScriptedDialogs dialogs;
    QVERIFY(table->setChannel(0, kEdited));
    QSignalSpy selected(table.get(), &Model::choiceSelected);
    QSignalSpy edited(table.get(), &Model::cellEdited);
    QCOMPARE(table->SetChannelCount(requested, fillMode), choice >= 0);
    QCOMPARE(table->rowCount(), rows);
    QCOMPARE(table->selectedChoice(), std::max(choice, 0));
    QCOMPARE(selected.size(), choice >= 0 ? 1 : 0);
    QCOMPARE(edited.size(), 0);
    QCOMPARE(dialogs.texts(),
             choice >= 0 ? QStringList() : QStringList{"Error setting no of channels."});
    QCOMPARE(table->channel(0) == kEdited, firstRowKept);
    for (int row = 1; row < rows; ++row)
        QCOMPARE(table->channel(row), Model::defaultRow(row + 1));
    verifyDefaultRow(*table, rows - 1, ModFunc::ChannelLabel(rows));
}

void TestChannelTable::userChoice_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("choice");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("selected");
    const auto none = MessageAnswer::Ok;
    const QString shrink = "Delete channels BA01 to CH48?\r\n";
    QTest::newRow("grow asks nothing")
        << 384 << 1 << none << "" << MessageIcon::Information << true << 768 << 1;
    QTest::newRow("shrink, OK") << 1152 << 0 << MessageAnswer::Ok << shrink << MessageIcon::Question
                                << true << 384 << 0;
    QTest::newRow("shrink, Cancel") << 1152 << 0 << MessageAnswer::Cancel << shrink
                                    << MessageIcon::Question << false << 1152 << 2;
    QTest::newRow("no selection") << 384 << -1 << none
                                  << "Impossible selection - how did you do that?"
                                  << MessageIcon::Exclamation << false << 384 << 0;
    QTest::newRow("same count") << 384 << 0 << none << "" << MessageIcon::Information << false
                                << 384 << 0;
}

void TestChannelTable::userChoice()
{
    QFETCH(int, start);
    QFETCH(int, choice);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, text);
    QFETCH(MessageIcon, icon);
    QFETCH(bool, applied);
    QFETCH(int, rows);
    QFETCH(int, selected);
    QVERIFY(table->SetChannelCount(start, Model::FillAllRows));
    QVERIFY(table->setChannel(start - 1, kEdited));
    if (choice >= 0)
        table->selectChoice(choice); // where the user's click left the selector
    ScriptedDialogs dialogs;
    if (icon == MessageIcon::Question)
        dialogs.answerNext(answer);
    QSignalSpy changed(table.get(), &Model::dataChanged);
    QSignalSpy reset(table.get(), &Model::modelReset);
    QCOMPARE(ApplyUserChannelChoice(*table, choice), applied);
    QCOMPARE(dialogs.texts(), text.isEmpty() ? QStringList() : QStringList{text});
    for (const MessageRequest& box : dialogs.messages()) {
        QCOMPARE(box.title, "ZR415 configuration editor");
        QCOMPARE(box.icon, icon);
        QCOMPARE(box.buttons,
                 icon == MessageIcon::Question ? MessageButtons::OkCancel : MessageButtons::Ok);
    }
    QCOMPARE(dialogs.unusedAnswers(), 0);
    QCOMPARE(table->rowCount(), rows);
    QCOMPARE(table->selectedChoice(), selected);
    if (rows >= start)
        QCOMPARE(table->channel(start - 1), kEdited);
    if (!applied)
        QCOMPARE(changed.size() + reset.size(), 0);
    if (rows != start)
        verifyDefaultRow(*table, rows - 1, ModFunc::ChannelLabel(rows));
}

void TestChannelTable::shrinkThenGrowGivesDefaults()
{
    ScriptedDialogs dialogs;
    QVERIFY(table->SetChannelCount(768, Model::FillAllRows));
    QVERIFY(table->setChannel(400, kEdited));
    dialogs.answerNext(MessageAnswer::Ok);
    QVERIFY(ApplyUserChannelChoice(*table, 0));
    QVERIFY(ApplyUserChannelChoice(*table, 1));
    QCOMPARE(table->rowCount(), 768);
    verifyDefaultRow(*table, 400, "BA17");
    QCOMPARE(dialogs.unexpectedQuestions(), 0);
}

void TestChannelTable::onlyViewEditsRaiseCellEdited()
{
    QSignalSpy edited(table.get(), &Model::cellEdited);
    QVERIFY(table->setChannel(1, kEdited));
    QVERIFY(table->setRelayName(2, "Program"));
    QVERIFY(table->setBackContact(2, true));
    QVERIFY(!table->setRelayName(384, "None"));
    QVERIFY(!table->setBackContact(-1, true));
    QVERIFY(!table->setChannel(384, kEdited));
    table->FillDefaultRows(300);
    table->RefreshGrid();
    QVERIFY(table->SetChannelCount(768, Model::FillAddedRows));
    QCOMPARE(edited.size(), 0);

    // Views hand the check state over as a plain int.
    QVERIFY(table->setData(table->index(0, Model::ColBack), int(Qt::Checked), Qt::CheckStateRole));
    QCOMPARE(edited.size(), 1);
    QVERIFY(table->channel(0).back);
    QVERIFY(table->setData(table->index(0, Model::ColStUp), "HI"));
    QCOMPARE(edited.size(), 2);
    QVERIFY(table->setData(table->index(0, Model::ColStUp), "HI"));
    QCOMPARE(edited.size(), 2);
    QVERIFY(!table->setData(table->index(0, Model::ColChan), "ZZ99"));
    QCOMPARE(cell(*table, 0, Model::ColChan).toString(), "AA01");
    QCOMPARE(edited.size(), 2);
}

void TestChannelTable::relayNameEditsAreCutTo16()
{
    QSignalSpy changed(table.get(), &Model::dataChanged);
    QVERIFY(table->setData(table->index(7, Model::ColRelNam), "ABCDEFGHIJKLMNOPQRST"));
    QCOMPARE(table->channel(7).relNam, "ABCDEFGHIJKLMNOP");
    QCOMPARE(changed.size(), 1);
    QVERIFY(table->setRelayName(8, "ABCDEFGHIJKLMNOPQRST"));
    QCOMPARE(table->channel(8).relNam, "ABCDEFGHIJKLMNOPQRST");
}

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
