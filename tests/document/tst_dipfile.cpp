#include "../support/TestFiles.h"
#include "common/ChannelLabel.h"
#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"

#include <QDataStream>
#include <QTemporaryDir>

namespace {

using Model = ChannelTableModel;

QByteArray header(quint32 flag, quint16 type, quint16 version, qint32 count, quint32 reserved = 0)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << flag << type << version << count << reserved;
    return out;
}

// One 40-byte record; `filler` goes into every byte a reader must pass over.
QByteArray record(const QByteArray& name, char back, const QByteArray& up, const QByteArray& down,
                  char filler = 0)
{
    QByteArray out(40, filler);
    out.replace(0, 16, name.leftJustified(16, ' ', true));
    out[17] = back;
    out[18] = filler == 0 ? char(1) : filler;
    out.replace(19, 3, up.leftJustified(3, ' ', true));
    out.replace(23, 3, down.leftJustified(3, ' ', true));
    return out;
}

QByteArray defaultFile(int channels)
{
    QByteArray out = header(0xFFC0FFEE, 3, 3, channels);
    for (int channel = 1; channel <= channels; ++channel)
        out += record("Spare " + ModFunc::ChannelLabel(channel).toLatin1(), 0, "UP", "DN");
    return out;
}

const ChannelRow kKept{"Kept", true, "ON ", "OFF"};

} // namespace

class TestDipFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saveWritesTheLayout();
    void missingFileReportsOpening();
    void rejectedFiles_data();
    void rejectedFiles();
    void recordFields();
    void channelCounts_data();
    void channelCounts();
    void reloadLeavesCopiesOfOldRowsAlone();
    void fullTableRoundTrip();

private:
    bool load(const QByteArray& bytes);

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Model> table;
    std::unique_ptr<ScriptedDialogs> dialogs;
};

void TestDipFile::init()
{
    path = dir.filePath("site.dip");
    dialogs = std::make_unique<ScriptedDialogs>();
    table = std::make_unique<Model>();
    QVERIFY(table->SetChannelCount(768, Model::FillAllRows));
    QVERIFY(table->setChannel(0, kKept));
}

bool TestDipFile::load(const QByteArray& bytes)
{
    writeFile(path, bytes);
    return LoadDipFile(*table, path);
}

void TestDipFile::saveWritesTheLayout()
{
    QVERIFY(table->SetChannelCount(384, Model::FillAllRows));
    QVERIFY(table->setChannel(1, {"ABCDEFGHIJKLMNOPQRST", true, "HIGH", ""}));
    QVERIFY(table->setChannel(2, {"", false, "UP", "DN"}));
    QVERIFY(table->setChannel(3, {QString::fromUtf8("Relé €"), false, "ÀB", "x"}));
    QVERIFY(SaveDipFile(*table, path));
    QVERIFY(dialogs->messages().isEmpty());

    const QByteArray bytes = readFile(path);
    QCOMPARE(bytes.size(), 15376);
    QCOMPARE(bytes.left(16).toHex(' '),
             QByteArray("ee ff c0 ff 03 00 03 00 80 01 00 00 00 00 00 00"));
    QCOMPARE(bytes.mid(16, 40).toHex(' '),
             QByteArray("53 70 61 72 65 20 41 41 30 31 20 20 20 20 20 20 00 00 01 55 50 20 00 44 "
                        "4e 20 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    QByteArray expected = defaultFile(384);
    expected.replace(16 + 40, 40, record("ABCDEFGHIJKLMNOP", 1, "HIG", ""));
    expected.replace(16 + 80, 40, record("", 0, "UP", "DN"));
    expected.replace(16 + 120, 40, record("Rel\xE9 \x80", 0, "\xC0\x42", "x"));
    QCOMPARE(bytes, expected);
}

void TestDipFile::missingFileReportsOpening()
{
    QFile plain(dir.filePath("none.dip"));
    QVERIFY(!plain.open(QIODevice::ReadOnly));
    QVERIFY(!LoadDipFile(*table, plain.fileName()));
    QCOMPARE(dialogs->texts(),
             QStringList{"Error occurred while opening.\r\n" + plain.errorString()});
    QCOMPARE(table->channel(0), kKept);
}

void TestDipFile::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("messages");
    // Flag and type are wrong together with the fields after them: the first one is reported.
    QTest::newRow("15 bytes") << header(0xFFC0FFEE, 3, 3, 384).left(15)
                              << QStringList{"File too short"};
    QTest::newRow("flag") << header(0xFEC0FFEE, 9, 9, 384) + record("R1", 0, "UP", "DN")
                          << QStringList{"File flag incorrect - this is not an ZR415 file"};
    QTest::newRow("type") << header(0xFFC0FFEE, 4, 9, 384) + record("R1", 0, "UP", "DN")
                          << QStringList{"File type incorrect - this is not a dip file"};
    QTest::newRow("version FFFF") << header(0xFFC0FFEE, 3, 0xFFFF, 384)
                                  << QStringList{"This software cannot read version -1 dip files"};
    QTest::newRow("count 0") << header(0xFFC0FFEE, 3, 3, 0) + record("R1", 0, "UP", "DN")
                             << QStringList{"Error setting no of channels.", "0 channels loaded"};
}

void TestDipFile::rejectedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, messages);
    QVERIFY(!load(bytes));
    QCOMPARE(dialogs->texts(), messages);
    for (const MessageRequest& box : dialogs->messages())
        QCOMPARE(box.title, "ZR415 configuration editor");
    QCOMPARE(table->rowCount(), 768);
    QCOMPARE(table->channel(0), kKept);
}

// Names lose their spaces, state texts keep theirs; only a 1 is a back contact. Every byte a
// reader passes over holds 0xFF, the reserved header field too.
void TestDipFile::recordFields()
{
    QVERIFY(load(header(0xFFC0FFEE, 3, 3, 4, 0xFFFFFFFF) +
                 record("  Relay 1", 1, "UP", "DN", '\xFF') + record("", 0, "  A", "DN", '\xFF') +
                 record("\tX ", char(255), "", "DN", '\xFF') +
                 record("Rel\xE9\x80", 1, "\x9F", "DN", '\xFF')));
    QCOMPARE(dialogs->texts(), QStringList{"4 channels loaded"});
    QCOMPARE(table->rowCount(), 384);
    QCOMPARE(table->channel(0), (ChannelRow{"Relay 1", true, "UP ", "DN "}));
    QCOMPARE(table->channel(1), (ChannelRow{"", false, "  A", "DN "}));
    QCOMPARE(table->channel(2), (ChannelRow{"\tX", false, "   ", "DN "}));
    QCOMPARE(table->channel(3),
             (ChannelRow{QString::fromUtf8("Relé€"), true, QString::fromUtf8("Ÿ  "), "DN "}));
    QCOMPARE(table->channel(4), Model::defaultRow(5));
}

void TestDipFile::channelCounts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("100 of 101") << 100 << 101 << 384 << QStringList{"100 channels loaded"};
    QTest::newRow("short file over edits") << 384 << 2 << 384 << QStringList{"384 channels loaded"};
    QTest::newRow("5000") << 5000 << 3073 << 3072
                          << QStringList{
                                 "This copy of ZR415Config can handle a maximum of 3072 channels.",
                                 "3072 channels loaded"};
}

void TestDipFile::channelCounts()
{
    QFETCH(int, count);
    QFETCH(int, records);
    QFETCH(int, rows);
    QFETCH(QStringList, messages);
    // Rows past the file's records become defaults, even where the site held edits.
    QVERIFY(table->setChannel(300, kKept));
    QVERIFY(table->setChannel(700, kKept));
    QByteArray bytes = header(0xFFC0FFEE, 3, 3, count);
    for (int k = 0; k < records; ++k)
        bytes += record("R" + QByteArray::number(k), char(k % 2), "U", "D");
    QVERIFY(load(bytes));
    QCOMPARE(dialogs->texts(), messages);
    QCOMPARE(table->rowCount(), rows);
    const int read = std::min({count, records, rows});
    for (int row = 0; row < rows; ++row) {
        const ChannelRow expected =
            row < read ? ChannelRow{"R" + QString::number(row), row % 2 == 1, "U  ", "D  "}
                       : Model::defaultRow(row + 1);
        QCOMPARE(table->channel(row), expected);
    }
}

// Loading writes over the rows' texts in place; copies taken before (an undo step, a clipboard)
// must keep what they held, and a second file must leave nothing of the first.
void TestDipFile::reloadLeavesCopiesOfOldRowsAlone()
{
    QVERIFY(load(header(0xFFC0FFEE, 3, 3, 2) + record("A long old name", 1, "ON", "OFF") +
                 record("\xe9t\xe9", 0, "UP", "DN")));
    const ChannelRow first = table->channel(0);
    const ChannelRow second = table->channel(1);
    QVERIFY(load(header(0xFFC0FFEE, 3, 3, 2) + record("New", 0, "UP", "DN") +
                 record("\x80 a longer one", 1, "X", "DN")));
    QCOMPARE(first, (ChannelRow{"A long old name", true, "ON ", "OFF"}));
    QCOMPARE(second, (ChannelRow{QString::fromUtf8("été"), false, "UP ", "DN "}));
    QCOMPARE(table->channel(0), (ChannelRow{"New", false, "UP ", "DN "}));
    QCOMPARE(table->channel(1),
             (ChannelRow{QString::fromUtf8("€ a longer one"), true, "X  ", "DN "}));
    // Once more, into rows that nothing else shares now.
    QVERIFY(load(header(0xFFC0FFEE, 3, 3, 1) + record("B", 1, "ON", "OFF")));
    QCOMPARE(table->channel(0), (ChannelRow{"B", true, "ON ", "OFF"}));
}

void TestDipFile::fullTableRoundTrip()
{
    QVERIFY(table->SetChannelCount(3072, Model::FillAllRows));
    for (int row = 0; row < 3072; ++row) {
        const QString name = QString("Relay %1 x").arg(row * 7919).left(16);
        QVERIFY(table->setChannel(row, {name, row % 3 == 0,
                                        QString::number(row % 1000).rightJustified(3),
                                        row % 5 ? "DN " : "OFF"}));
    }
    QVERIFY(SaveDipFile(*table, path));
    Model loaded;
    QVERIFY(LoadDipFile(loaded, path));
    QCOMPARE(dialogs->texts(), QStringList{"3072 channels loaded"});
    QCOMPARE(loaded.rowCount(), 3072);
    for (int row = 0; row < 3072; ++row)
        QCOMPARE(loaded.channel(row), table->channel(row));
}

QTEST_GUILESS_MAIN(TestDipFile)
#include "tst_dipfile.moc"
