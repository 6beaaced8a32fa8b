#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

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

QByteArray header(qint32 count)
{
    return header(0xFFC0FFEE, 3, 3, count);
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

const ChannelRow kKept{"Kept", true, "ON ", "OFF"};

} // namespace

class TestDipFile : public QObject
{
    Q_OBJECT

    bool load(const QByteArray& bytes)
    {
        writeFile(path, bytes);
        return LoadDipFile(*table, path);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Model> table;
    std::unique_ptr<ScriptedDialogs> dialogs;

private slots:
    void init()
    {
        path = dir.filePath("site.dip");
        dialogs = std::make_unique<ScriptedDialogs>();
        table = std::make_unique<Model>();
        QVERIFY(table->SetChannelCount(768, Model::FillAllRows));
        QVERIFY(table->setChannel(0, kKept));
    }

    void saveWritesTheLayout()
    {
        QVERIFY(table->SetChannelCount(384, Model::FillAllRows));
        QVERIFY(table->setChannel(1, {"ABCDEFGHIJKLMNOPQRST", true, "HIGH", ""}));
        QVERIFY(table->setChannel(2, {"", false, "UP", "DN"}));
        QVERIFY(table->setChannel(3, {QString::fromUtf8("Relé €"), false, "ÀB", "x"}));
        QVERIFY(SaveDipFile(*table, path));
        QVERIFY(dialogs->messages().isEmpty());
        QByteArray expected = header(384);
        for (int channel = 1; channel <= 384; ++channel)
            expected += record("Spare " + ModFunc::ChannelLabel(channel).toLatin1(), 0, "UP", "DN");
        expected.replace(16 + 40, 40, record("ABCDEFGHIJKLMNOP", 1, "HIG", ""));
        expected.replace(16 + 80, 40, record("", 0, "UP", "DN"));
        expected.replace(16 + 120, 40, record("Rel\xE9 \x80", 0, "\xC0\x42", "x"));
        QCOMPARE(readFile(path), expected);
    }

    void missingFileReportsOpening()
    {
        QFile plain(dir.filePath("none.dip"));
        QVERIFY(!plain.open(QIODevice::ReadOnly));
        QVERIFY(!LoadDipFile(*table, plain.fileName()));
        QCOMPARE(dialogs->texts(),
                 QStringList{"Error occurred while opening.\r\n" + plain.errorString()});
        QCOMPARE(table->channel(0), kKept);
    }

    void rejectedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        const QByteArray one = record("R1", 0, "UP", "DN");
        // Flag and type are wrong together with the fields after them: the first is reported.
        QTest::newRow("15 bytes") << header(384).left(15) << QStringList{"File too short"};
        QTest::newRow("flag") << header(0xFEC0FFEE, 9, 9, 384) + one
                              << QStringList{"File flag incorrect - this is not an ZR415 file"};
        QTest::newRow("type") << header(0xFFC0FFEE, 4, 9, 384) + one
                              << QStringList{"File type incorrect - this is not a dip file"};
        QTest::newRow("version FFFF")
            << header(0xFFC0FFEE, 3, 0xFFFF, 384)
            << QStringList{"This software cannot read version -1 dip files"};
        QTest::newRow("count 0") << header(0) + one
                                 << QStringList{"Error setting no of channels.",
                                                "0 channels loaded"};
    }

    void rejectedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QVERIFY(!load(bytes));
        QCOMPARE(dialogs->texts(), messages);
        QCOMPARE(table->rowCount(), 768);
        QCOMPARE(table->channel(0), kKept);
    }

    // Names lose their spaces, state texts keep theirs; only a 1 is a back contact. Every byte
    // a reader passes over holds 0xFF, the reserved header field too.
    void recordFields()
    {
        QVERIFY(load(
            header(0xFFC0FFEE, 3, 3, 4, 0xFFFFFFFF) + record("  Relay 1", 1, "UP", "DN", '\xFF') +
            record("", 0, "  A", "DN", '\xFF') + record("\tX ", char(255), "", "DN", '\xFF') +
            record("Rel\xE9\x80", 1, "\x9F", "DN", '\xFF')));
        QCOMPARE(dialogs->texts(), QStringList{"4 channels loaded"});
        QCOMPARE(table->rowCount(), 384);
        QCOMPARE(table->channel(0), (ChannelRow{"Relay 1", true, "UP ", "DN "}));
        QCOMPARE(table->channel(1), (ChannelRow{"", false, "  A", "DN "}));
        QCOMPARE(table->channel(2), (ChannelRow{"\tX", false, "   ", "DN "}));
        QCOMPARE(table->channel(3),
                 (ChannelRow{QString::fromUtf8("Relé€"), true, QString::fromUtf8("Ÿ  "), "DN "}));
        QCOMPARE(table->channel(4), (ChannelRow{"Spare AA05", false, "UP", "DN"}));
    }

    // Loading writes over the rows' texts in place; copies taken before (an undo step, a
    // clipboard) must keep what they held, and a second file must leave nothing of the first.
    void reloadLeavesCopiesOfOldRowsAlone()
    {
        QVERIFY(load(header(2) + record("A long old name", 1, "ON", "OFF") +
                     record("\xe9t\xe9", 0, "UP", "DN")));
        const ChannelRow first = table->channel(0);
        const ChannelRow second = table->channel(1);
        QVERIFY(load(header(2) + record("New", 0, "UP", "DN") +
                     record("\x80 a longer one", 1, "X", "DN")));
        QCOMPARE(first, (ChannelRow{"A long old name", true, "ON ", "OFF"}));
        QCOMPARE(second, (ChannelRow{QString::fromUtf8("été"), false, "UP ", "DN "}));
        QCOMPARE(table->channel(0), (ChannelRow{"New", false, "UP ", "DN "}));
        QCOMPARE(table->channel(1),
                 (ChannelRow{QString::fromUtf8("€ a longer one"), true, "X  ", "DN "}));
        // Once more, into rows that nothing else shares now, from a file shorter than its count:
        // the rows it lacks become spares.
        QVERIFY(load(header(384) + record("B", 1, "ON", "OFF")));
        QCOMPARE(table->channel(0), (ChannelRow{"B", true, "ON ", "OFF"}));
        QCOMPARE(table->channel(1), (ChannelRow{"Spare AA02", false, "UP", "DN"}));
    }

    void fullTableRoundTrip()
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
        // The table stops at its largest size, however many channels the file claims.
        writeFile(path, header(5000) + readFile(path).mid(16) + record("Extra", 1, "U", "D"));
        Model capped;
        QVERIFY(LoadDipFile(capped, path));
        QCOMPARE(dialogs->texts().mid(1),
                 (QStringList{"This copy of ZR415Config can handle a maximum of 3072 channels.",
                              "3072 channels loaded"}));
        QCOMPARE(capped.rowCount(), 3072);
        QCOMPARE(capped.channel(3071), table->channel(3071));
    }
};

QTEST_GUILESS_MAIN(TestDipFile)
#include "tst_dipfile.moc"
