// Broken and hostile files through the editor's own commands: each gives its documented result
// and messages, and the table is always one the editor can show and save (a row count that is
// the selected one of the eight choices, every Chan cell its row's label).
#include "commands/DocumentCommands.h"
#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "document/SiteSize.h"
#include "support/DipBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

namespace {

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

// One failure of the table's consistency, or nothing.
QString inconsistency(const ChannelTableModel& table)
{
    const int choice = table.selectedChoice();
    if (choice < 0 || choice >= SiteSize::kChoiceCount ||
        SiteSize::choiceChannels(choice) != table.channelCount())
        return QStringLiteral("%1 rows under choice %2").arg(table.channelCount()).arg(choice);
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString chan = table.data(table.index(row, ChannelTableModel::ColChan)).toString();
        if (chan != ModFunc::ChannelLabel(row + 1))
            return QStringLiteral("row %1 shows %2").arg(row).arg(chan);
    }
    return {};
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void openGivesTheDocumentedResult_data();
    void openGivesTheDocumentedResult();
    void importOfACutAllocationFile();

private:
    QTemporaryDir dir;
    ChannelTableModel table;
    DirSettings dirs;
};

void TestBadInput::init()
{
    QVERIFY(dir.isValid());
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
}

void TestBadInput::openGivesTheDocumentedResult_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("okAnswers");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("relayName");
    QTest::addColumn<bool>("back");

    const QByteArray hugeCount = littleEndian(0xFFC0FFEE, 4) + littleEndian(3, 2) +
                                 littleEndian(3, 2) + littleEndian(0x7FFFFFFF, 4) +
                                 littleEndian(0, 4);
    QTest::newRow("dip: huge count, two records")
        << "huge.dip" << hugeCount + dipBytes({{"FIRST"}, {"SECOND", true}}).mid(16) << 0 << 3072
        << QStringList{"This copy of ZR415Config can handle a maximum of 3072 channels.",
                       "3072 channels loaded"}
        << 1 << "SECOND" << true;
    QTest::newRow("csv: 1 MB relay name")
        << "long.csv"
        << "AA01," + QByteArray(1024 * 1024, 'x') + ",Back\r\nAA02,NEXT,F\r\n"
        << 0 << 384 << QStringList{"2 channels imported"} << 1 << "NEXT" << false;
    QTest::newRow("csv: only commas")
        << "commas.csv" << QByteArray(",,,,,,\r\nAA01,TR1,B\r\n") << 1 << 384
        << QStringList{"Invalid channel number found on line. \r\n\",,,,,,\"\r\nContinue loading?",
                       "1 channels imported"}
        << 0 << "TR1" << true;
    QTest::newRow("csv: NUL bytes, kept in a name")
        << "nulbytes.csv" << QByteArrayLiteral("AA01,A\0B,B\r\n\0\0\0\r\nAA02,TR2,F\r\n") << 1
        << 384
        << QStringList{"Not enough fields found in line:-\r\n\"" + QString(3, QChar(0)) +
                           "\"\r\nContinue loading?",
                       "2 channels imported"}
        << 0 << QString("A") + QChar(0) + "B" << true;
}

void TestBadInput::openGivesTheDocumentedResult()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, okAnswers);
    QFETCH(int, row);
    writeFile(dir.filePath(name), bytes);

    ScriptedDialogs dialogs;
    for (int i = 0; i < okAnswers; ++i)
        dialogs.answerNext(MessageAnswer::Ok);
    DocumentCommands commands(table, dirs);
    commands.openFromOutside(dir.filePath(name));

    QCOMPARE(dialogs.unexpectedQuestions(), 0);
    QCOMPARE(dialogs.unusedAnswers(), 0);
    QTEST(dialogs.texts(), "messages");
    QCOMPARE(inconsistency(table), QString());
    QTEST(table.channelCount(), "channels");
    QTEST(table.channel(row).relNam, "relayName");
    QTEST(table.channel(row).back, "back");
}

// Three allocations; the second name claims 65535 bytes of the 3 left.
void TestBadInput::importOfACutAllocationFile()
{
    writeFile(dir.filePath("north/DChannel.cfg"),
              "K7V2.0 DChannels" + littleEndian(3, 2) + littleEndian(3, 2) + "TR1" +
                  littleEndian(0, 4) + littleEndian(0xFFFF, 2) + littleEndian(0, 2) +
                  littleEndian(0xFFFF, 2) + "AB2");
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.setSiteChooser([&] { return ChosenSite{"Load", "North", dir.filePath("north")}; });
    commands.ImportCorvaneAllocations();

    QCOMPARE(dialogs.texts(), QStringList{"3 channels imported"});
    QCOMPARE(inconsistency(table), QString());
    QVERIFY(table.channel(0).back);
    // The cut name reads as far as the file goes; the allocation it never reached is a spare.
    QCOMPARE(table.channel(1).relNam, "AB2");
    QCOMPARE(table.channel(2).relNam, "Spare AA03");
    QVERIFY(commands.isModified());
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
