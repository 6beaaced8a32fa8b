#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray littleEndian(quint32 value)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

QByteArray header(quint32 flag)
{
    return littleEndian(flag) + littleEndian(3 | 3 << 16) + littleEndian(384) + littleEndian(0);
}

// A site as .dip or .csv: channel 2 "Points 2A" on a back contact, the rest default.
QByteArray site(bool dip)
{
    QByteArray out = dip ? header(0xFFC0FFEE) : QByteArray();
    for (int k = 0; k < 384; ++k) {
        const QByteArray label = "A" + QByteArray(1, char('A' + k / 48)) +
                                 QByteArray::number(k % 48 + 1).rightJustified(2, '0');
        const QByteArray name = k == 1 ? "Points 2A" : "Spare " + label;
        if (!dip) {
            out += label + "," + name + (k == 1 ? ",Back\r\n" : ",Front\r\n");
            continue;
        }
        QByteArray record(40, '\0');
        record.replace(0, 16, name.leftJustified(16, ' ', true));
        record[17] = k == 1 ? 1 : 0;
        record[18] = 1;
        record.replace(19, 3, "UP ");
        record.replace(23, 3, "DN ");
        out += record;
    }
    return out;
}

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void exitCodeAndMessage_data();
    void exitCodeAndMessage();
};

void TestConvert::exitCodeAndMessage_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of the first argument
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errors");     // up to the usage text
    QTest::addColumn<QByteArray>("written"); // the output's bytes; empty: no output

    QTest::newRow("dip to csv") << site(true) << QStringList{"site.dip", "site.csv"} << 0
                                << "384 channels loaded\n\n"
                                << site(false);
    QTest::newRow("csv to DIP in capitals")
        << site(false) << QStringList{"site.csv", "SITE.DIP"} << 0 << "384 channels imported\n\n"
        << site(true);
    QTest::newRow("not a logger file") << header(0x12345678) << QStringList{"in.dip", "out.csv"}
                                       << 1 << "File flag incorrect - this is not an ZR415 file\n\n"
                                       << QByteArray();
    QTest::newRow("input only") << site(true) << QStringList{"site.dip"} << 2
                                << "Expected an INPUT and an OUTPUT.\n\n"
                                << QByteArray();
    QTest::newRow("unknown output type")
        << site(true) << QStringList{"site.dip", "site.xml"} << 2
        << "Unknown file type - use a .dip, .csv or .cfg file name.\n\n"
        << QByteArray();
}

void TestConvert::exitCodeAndMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, written);
    const QString input = arguments.first();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(input), bytes);

    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(ZR415_CONVERT_EXE, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QTEST(process.exitCode(), "status");
    QString errors = QString::fromUtf8(process.readAllStandardError());
#ifdef Q_OS_WIN
    errors.replace("\r\n", "\n"); // standard error is in text mode: Windows' own line ends
#endif
    QTEST(errors.section("Usage:", 0, 0), "errors");
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (written.isEmpty())
        QCOMPARE(entries, QStringList{input}); // a failed run leaves nothing behind
    else
        QCOMPARE(readFile(dir.filePath(arguments.last())), written);
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
