#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

namespace {

using Model = ChannelTableModel;
using Answers = QList<MessageAnswer>;

const QString kTooFew = "Not enough fields found in line:-\r\n\"%1\"\r\nContinue loading?";
const QString kInvalid = "Invalid channel number found on line. \r\n\"%1\"\r\nContinue loading?";
const QString kUnexpected =
    "Unexpected channel number.\r\nExpected %1, got %2\r\nContinue loading?";

QString imported(int last)
{
    return QString("%1 channels imported").arg(last);
}

} // namespace

class TestCsvFile : public QObject
{
    Q_OBJECT

    CsvLoadResult load(const QByteArray& bytes)
    {
        writeFile(path, bytes);
        return LoadCsvFile(*table, path);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Model> table;
    std::unique_ptr<ScriptedDialogs> dialogs;

private slots:
    void init()
    {
        path = dir.filePath("site.csv");
        dialogs = std::make_unique<ScriptedDialogs>();
        table = std::make_unique<Model>();
        QVERIFY(table->SetChannelCount(384, Model::FillAllRows));
    }

    void saveWritesOneLinePerRow()
    {
        writeFile(path, QByteArray(40000, 'x'));
        QVERIFY(table->setChannel(1, {"ABCDEFGHIJKLMNOPQRST", true, "HI", "LO"}));
        QVERIFY(table->setChannel(2, {"Points, 2A", false, "UP", "DN"}));
        QVERIFY(table->setChannel(3, {"Say \"hi\"", true, "UP", "DN"}));
        QVERIFY(table->setChannel(4, {QString::fromUtf8("Relé €"), false, "UP", "DN"}));
        QVERIFY(SaveCsvFile(*table, path).ok);
        QByteArray expected;
        for (int channel = 1; channel <= 384; ++channel) {
            const QByteArray label = ModFunc::ChannelLabel(channel).toLatin1();
            expected += label + ",Spare " + label + ",Front\r\n";
        }
        expected.replace("AA02,Spare AA02,Front", "AA02,ABCDEFGHIJKLMNOP,Back");
        expected.replace("AA03,Spare AA03,Front", "AA03,\"Points, 2A\",Front");
        expected.replace("AA04,Spare AA04,Front", "AA04,\"Say \"\"hi\"\"\",Back");
        expected.replace("AA05,Spare AA05,Front", "AA05,Rel\xE9 \x80,Front");
        QCOMPARE(readFile(path), expected);
        QVERIFY(dialogs->messages().isEmpty());
    }

    void roundTripThroughQuotes()
    {
        QVERIFY(table->SetChannelCount(768, Model::FillAllRows));
        const QStringList names{"A,B", "\"quoted\"", "x\"y,z", "  padded  ", "ABCDEFGHIJKLMNOPQRST",
                                "",    ","};
        for (int row = 0; row < names.size(); ++row)
            QVERIFY(table->setChannel(row, {names[row], row % 2 == 0, "UP", "DN"}));
        QVERIFY(SaveCsvFile(*table, path).ok);
        Model loaded;
        QVERIFY(loaded.SetChannelCount(384, Model::FillAllRows));
        QVERIFY(LoadCsvFile(loaded, path).file.ok);
        QCOMPARE(dialogs->texts(), QStringList{imported(768)});
        QCOMPARE(loaded.rowCount(), 768);
        QStringList back = names;
        back[3] = "padded";
        back[4].truncate(16);
        for (int row = 0; row < 768; ++row) {
            QCOMPARE(loaded.channel(row).relNam,
                     row < back.size() ? back[row] : table->channel(row).relNam);
            QCOMPARE(loaded.channel(row).back, table->channel(row).back);
        }
    }

    // Every Cancel ends the load; a failure ends it without the count and keeps the rows read.
    void questions_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("error");
        const auto ok = MessageAnswer::Ok;
        const auto cancel = MessageAnswer::Cancel;
        QTest::newRow("no comma, Cancel")
            << QByteArray("AA01 R1\r\nAA02,R2\r\n") << Answers{cancel}
            << QStringList{kTooFew.arg("AA01 R1"), imported(0)} << 384 << "";
        QTest::newRow("skipped lines keep expectation")
            << "AA01,a\r\n\r\n" + QByteArray(70, 'x') + "\r\nAA02,b\r\n"
            << Answers{ok, ok}
            << QStringList{kTooFew.arg(""), kTooFew.arg(QString(64, u'x')), imported(2)} << 384
            << "";
        QTest::newRow("titles OK, then Cancel")
            << QByteArray("Chan,Relay name,Back contact\r\nAA00,R0\r\nAA01,R1\r\n")
            << Answers{ok, cancel}
            << QStringList{kInvalid.arg("Chan,Relay name,Back contact"), kInvalid.arg("AA00,R0"),
                           imported(0)}
            << 384 << "";
        QTest::newRow("jump OK, then Cancel")
            << QByteArray("BA01,R385,Back\r\nBA03,R387\r\n") << Answers{ok, cancel}
            << QStringList{kUnexpected.arg("AA01 (1)", "BA01 (385)"),
                           kUnexpected.arg("BA02 (386)", "BA03 (387)"), imported(385)}
            << 768 << "";
        // Reading stops at the channel the table cannot hold.
        QTest::newRow("beyond the labels")
            << QByteArray("AA01,a\r\n5000,x\r\nAA02,b\r\n") << Answers{ok}
            << QStringList{kUnexpected.arg("AA02 (2)", " (5000)"),
                           "This copy of ZR415Config can handle a maximum of 3072 channels.",
                           imported(1)}
            << 3072 << "";
        QTest::newRow("overflow") << QByteArray("AA01,kept,Back\r\n4294967296,x\r\n") << Answers{}
                                  << QStringList{} << 384 << "Overflow";
        QTest::newRow("channel below 1")
            << QByteArray("AA01,kept,Back\r\n-5,x,Front\r\n") << Answers{ok}
            << QStringList{kUnexpected.arg("AA02 (2)", " (-5)")} << 384 << "Subscript out of range";
    }

    void questions()
    {
        QFETCH(QByteArray, content);
        QFETCH(Answers, answers);
        QFETCH(QStringList, messages);
        QFETCH(int, rows);
        QFETCH(QString, error);
        for (MessageAnswer answer : answers)
            dialogs->answerNext(answer);
        const CsvLoadResult result = load(content);
        QCOMPARE(result.file.error, error);
        QCOMPARE(result.file.ok, error.isEmpty());
        QCOMPARE(dialogs->texts(), messages);
        QCOMPARE(result.aborted, answers.contains(MessageAnswer::Cancel));
        if (result.file.ok)
            QCOMPARE(result.lastChannel, messages.last().section(' ', 0, 0).toInt());
        else
            QCOMPARE(table->channel(0), (ChannelRow{"kept", true, "UP", "DN"}));
        QCOMPARE(table->rowCount(), rows);
    }

    // Spares by any spelling get the default name; names are trimmed, not cut; only a leading
    // B or b marks a back contact.
    void namesAndContacts()
    {
        QVERIFY(table->setBackContact(1, true));
        QVERIFY(table->setBackContact(2, true));
        QVERIFY(load("AA01,(Spare),Bogus\r\nAA02,spare relay,Front\r\n"
                     "AA03,  ABCDEFGHIJKLMNOPQRST  , Back\r\nAA04,\x80\x8A\x9F\xA0\xE9\xFF,B\r\n")
                    .file.ok);
        QCOMPARE(dialogs->texts(), QStringList{imported(4)});
        QCOMPARE(table->channel(0), (ChannelRow{"Spare AA01", true, "UP", "DN"}));
        QCOMPARE(table->channel(1), (ChannelRow{"Spare AA02", false, "UP", "DN"}));
        QCOMPARE(table->channel(2), (ChannelRow{"ABCDEFGHIJKLMNOPQRST", false, "UP", "DN"}));
        QCOMPARE(table->channel(3),
                 (ChannelRow{QString::fromUtf8("€ŠŸ\u00A0éÿ"), true, "UP", "DN"}));
    }

    // A second list writes over the rows' texts; copies taken before (an undo step, a
    // clipboard) must keep what they held, and rows the list does not name stay. Lone CR, lone
    // LF and CR LF each end a line; the last line needs no end.
    void reloadLeavesCopiesOfOldRowsAlone()
    {
        QVERIFY(table->SetChannelCount(1152, Model::FillAllRows));
        const ChannelRow kept{"Kept", true, "ON", "OFF"};
        QVERIFY(table->setChannel(0, kept));
        QVERIFY(table->setChannel(500, kept));
        QVERIFY(load("AA01,A long first name,Back\r\nAA02,Second,Front\r\nAA03,\xe9t\xe9,B\r\n")
                    .file.ok);
        const ChannelRow first = table->channel(0);
        const ChannelRow third = table->channel(2);
        QVERIFY(load("AA01,Short,Front\rAA02,A much longer name,Back\nAA03,\x80uro,F").file.ok);
        QCOMPARE(first, (ChannelRow{"A long first name", true, "ON", "OFF"}));
        QCOMPARE(third, (ChannelRow{QString::fromUtf8("été"), true, "UP", "DN"}));
        QCOMPARE(table->channel(0), (ChannelRow{"Short", false, "ON", "OFF"}));
        QCOMPARE(table->channel(1), (ChannelRow{"A much longer name", true, "UP", "DN"}));
        QCOMPARE(table->channel(2), (ChannelRow{QString::fromUtf8("€uro"), false, "UP", "DN"}));
        QCOMPARE(table->channel(500), kept);
        QCOMPARE(table->rowCount(), 1152);
        // Once more, into rows that nothing else shares now.
        QVERIFY(load("AA01,B,Front\r\n").file.ok);
        QCOMPARE(table->channel(0).relNam, QStringLiteral("B"));
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
