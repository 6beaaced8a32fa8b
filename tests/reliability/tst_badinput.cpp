// Broken and hostile files through the editor's own commands: each gives its documented result
// or a clear message, and the table is always a table the editor can show and save (a row count
// that is one of the eight choices, every Chan cell its row's label).
#include "../support/TestFiles.h"
#include "common/ChannelLabel.h"
#include "common/ScriptedDialogs.h"
#include "corvane/ModCrvFile.h"
#include "corvane/SiteInfoRecord.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "windows/DirSettings.h"

#include <QTemporaryDir>

namespace {

using ModFunc::ChannelLabel;

constexpr int kMegabyte = 1024 * 1024;

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

// One 40-byte channel record: the name padded to 16, the contact flag, the stored 1 and the
// two state texts.
QByteArray dipRecord(const QByteArray& name, bool back)
{
    QByteArray record(40, '\0');
    record.replace(0, 16, name.leftJustified(16, ' '));
    record[17] = back ? 1 : 0;
    record[18] = 1;
    record.replace(19, 3, "UP ");
    record.replace(23, 3, "DN ");
    return record;
}

// A channel file whose header counts `count` channels and that holds `records` of them.
QByteArray dipWithCount(qint32 count, int records)
{
    QByteArray bytes = littleEndian(0xFFC0FFEE, 4) + littleEndian(3, 2) + littleEndian(3, 2) +
                       littleEndian(quint32(count), 4) + littleEndian(0, 4);
    const QList<QByteArray> names{"FIRST", "SECOND"};
    for (int k = 0; k < records; ++k)
        bytes += dipRecord(names.value(k, "OTHER"), k == 1);
    return bytes;
}

QByteArray int16(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

QByteArray text(const QByteArray& bytes)
{
    return int16(int(bytes.size())) + bytes;
}

// A DChannel.cfg of three allocations whose second name claims 65535 bytes of the 3 left.
QByteArray dchannelPastItsEnd()
{
    return QByteArrayLiteral("K7V2.0 DChannels") + int16(3) + text("TR1") + text("") + text("") +
           int16(-1) + int16(0) + int16(0xFFFF) + "AB2";
}

// One failure of the table's consistency, or nothing.
QString inconsistency(const ChannelTableModel& table)
{
    bool isChoice = false;
    for (int choice = 0; choice < ChannelTableModel::kChoiceCount; ++choice)
        isChoice = isChoice || ChannelTableModel::choiceChannels(choice) == table.channelCount();
    if (!isChoice)
        return QStringLiteral("%1 rows").arg(table.channelCount());
    if (table.selectedChoice() < 0 ||
        ChannelTableModel::choiceChannels(table.selectedChoice()) != table.channelCount())
        return QStringLiteral("choice %1 selected").arg(table.selectedChoice());
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString chan = table.data(table.index(row, ChannelTableModel::ColChan)).toString();
        if (chan != ChannelLabel(row + 1))
            return QStringLiteral("row %1 shows %2").arg(row).arg(chan);
    }
    return {};
}

QString messageHolding(const ScriptedDialogs& dialogs, const QString& part)
{
    for (const QString& text : dialogs.texts())
        if (text.contains(part))
            return text;
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
    void emptySiteInfoIsNoSite();

private:
    QString write(const QString& name, const QByteArray& bytes);

    QTemporaryDir dir;
    ChannelTableModel table;
    DirSettings dirs;
};

void TestBadInput::init()
{
    QVERIFY(dir.isValid());
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
}

QString TestBadInput::write(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(dir.path()).filePath(name);
    writeFile(path, bytes);
    return path;
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

    const QStringList counted{"This copy of ZR415Config can handle a maximum of 3072 channels.",
                              "3072 channels loaded"};
    QTest::newRow("dip: huge count, two records") << "huge.dip" << dipWithCount(0x7FFFFFFF, 2) << 0
                                                  << 3072 << counted << 1 << "SECOND" << true;
    QByteArray longName(kMegabyte, 'x');
    QTest::newRow("csv: 1 MB relay name")
        << "long.csv"
        << "AA01," + longName + ",Back\r\nAA02,NEXT,F\r\n"
        << 0 << 384 << QStringList{"2 channels imported"} << 1 << "NEXT" << false;
    QTest::newRow("csv: only commas")
        << "commas.csv" << QByteArray(",,,,,,\r\nAA01,TR1,B\r\n") << 1 << 384
        << QStringList{"Invalid channel number found on line. \r\n\",,,,,,\"",
                       "1 channels imported"}
        << 0 << "TR1" << true;
    QTest::newRow("csv: NUL bytes")
        << "nul.csv" << QByteArrayLiteral("AA01,A\0B,B\r\n\0\0\0\r\nAA02,TR2,F\r\n") << 1 << 384
        << QStringList{"Not enough fields found in line:-", "2 channels imported"} << 1 << "TR2"
        << false;
    QTest::newRow("csv: NUL kept in a name")
        << "nul.csv" << QByteArrayLiteral("AA01,A\0B,B\r\n") << 0 << 384
        << QStringList{"1 channels imported"} << 0 << QString("A") + QChar(0) + "B" << true;
    // The question quotes the line's start only.
    const QByteArray line = "AA01" + QByteArray(kMegabyte, 'y');
    QTest::newRow("csv: 1 MB line without a comma")
        << "noComma.csv" << line + "\r\nAA01,TR1,B\r\n"
        << 1 << 384
        << QStringList{"Not enough fields found in line:-\r\n\"" +
                           QString::fromLatin1(line.left(64)) + "\"\r\nContinue loading?",
                       "1 channels imported"}
        << 0 << "TR1" << true;
}

void TestBadInput::openGivesTheDocumentedResult()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, okAnswers);
    QFETCH(int, channels);
    QFETCH(QStringList, messages);
    QFETCH(int, row);
    QFETCH(QString, relayName);
    QFETCH(bool, back);

    ScriptedDialogs dialogs;
    for (int i = 0; i < okAnswers; ++i)
        dialogs.answerNext(MessageAnswer::Ok);
    DocumentCommands commands(table, dirs);
    commands.openPath(write(name, bytes));

    QCOMPARE(dialogs.unexpectedQuestions(), 0);
    QCOMPARE(dialogs.unusedAnswers(), 0);
    for (const QString& message : messages)
        QVERIFY2(!messageHolding(dialogs, message).isEmpty(), qPrintable(message));
    QCOMPARE(inconsistency(table), QString());
    QCOMPARE(table.channelCount(), channels);
    QCOMPARE(table.channel(row).relNam, relayName);
    QCOMPARE(table.channel(row).back, back);
}

void TestBadInput::importOfACutAllocationFile()
{
    const QString site = QDir(dir.path()).filePath(QStringLiteral("north"));
    write(QStringLiteral("north/DChannel.cfg"), dchannelPastItsEnd());
    ScriptedDialogs dialogs;
    DocumentCommands commands(table, dirs);
    commands.setSiteChooser([&] {
        return ChosenSite{QStringLiteral("Load"), QStringLiteral("North"), site};
    });
    commands.ImportCorvaneAllocations();

    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("3 channels imported")});
    QCOMPARE(inconsistency(table), QString());
    QCOMPARE(table.channel(0).relNam, QStringLiteral("TR1"));
    QVERIFY(table.channel(0).back);
    // The cut name reads as far as the file goes; the allocation it never reached is a spare.
    QCOMPARE(table.channel(1).relNam, QStringLiteral("AB2"));
    QCOMPARE(table.channel(2).relNam, QStringLiteral("Spare AA03"));
    QVERIFY(commands.isModified());
}

void TestBadInput::emptySiteInfoIsNoSite()
{
    const QString config = QDir(dir.path()).filePath(QStringLiteral("config"));
    write(QStringLiteral("config/empty/SiteInfo.cfg"), {});
    ScriptedDialogs dialogs;
    QList<SiteInfoRecord> sites;
    ModCrvFile::RegisterSites(config, sites);
    QCOMPARE(sites.size(), 1);
    QVERIFY(sites[0].SiteName.isEmpty());
    QCOMPARE(dialogs.texts(), QStringList());
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
