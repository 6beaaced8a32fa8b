#include "common/ChannelLabel.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/UserChannelChoice.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
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
    // The tester hands the table invalid indexes on purpose; the warnings about them are noise.
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }
    void init();
    void defaultRows();
    void setChannelCount_data();
    void setChannelCount();
    void userChoice_data();
    void userChoice();
    void viewEdits();

private:
    std::unique_ptr<Model> table;
    // Watches every insert, removal and reset the table signals during a test.
    std::unique_ptr<QAbstractItemModelTester> tester;
};

void TestChannelTable::init()
{
    tester.reset();
    table = std::make_unique<Model>();
    tester = std::make_unique<QAbstractItemModelTester>(
        table.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(table->SetChannelCount(384, Model::FillAllRows));
}

void TestChannelTable::defaultRows()
{
    QCOMPARE(table->selectedChoice(), 0);
    verifyDefaultRow(*table, 0, "AA01");
    verifyDefaultRow(*table, 383, "AH48");
    const QStringList captions{"Chan", "Relay name", "Back contact", "State up", "State down"};
    for (int column = 0; column < Model::ColumnCount; ++column)
        QCOMPARE(table->headerData(column, Qt::Horizontal).toString(), captions[column]);
    QVERIFY(!(table->flags(table->index(0, Model::ColChan)) & Qt::ItemIsEditable));
    QVERIFY(table->flags(table->index(0, Model::ColBack)) & Qt::ItemIsUserCheckable);
    QVERIFY(table->flags(table->index(0, Model::ColStUp)) & Qt::ItemIsEditable);
    QCOMPARE(Model::choiceText(0), "1 unit - 384 ch");
    QCOMPARE(Model::choiceText(7), "8 unit - 3072 ch");
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
    QTest::newRow("768 added") << 768 << 2 << 768 << 1 << true;
    QTest::newRow("5000 added") << 5000 << 2 << 3072 << 7 << true;
    QTest::newRow("0") << 0 << 4 << 384 << -1 << true;
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
    QSignalSpy reset(table.get(), &Model::modelReset);
    QCOMPARE(table->SetChannelCount(requested, fillMode), choice >= 0);
    QCOMPARE(reset.size(), choice >= 0 && fillMode == Model::FillAllRows ? 1 : 0);
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

// Edits as a view hands them over: the check state as a plain int, names longer than the file
// holds. Only a change is an edit; the label is no cell to edit.
void TestChannelTable::viewEdits()
{
    QSignalSpy edited(table.get(), &Model::cellEdited);
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
    QCOMPARE(table->channel(0), (ChannelRow{"ABCDEFGHIJKLMNOP", true, "HI", "LO"}));
}

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
