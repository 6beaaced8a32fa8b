#include "../support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString errors;
};

QByteArray header(quint32 flag, int version, qint32 count)
{
    QByteArray out;
    const quint32 fields[] = {flag, 3 | quint32(version) << 16, quint32(count), 0};
    for (quint32 value : fields)
        for (int i = 0; i < 4; ++i)
            out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

QByteArray record(const QByteArray& name, bool back)
{
    QByteArray out(40, '\0');
    out.replace(0, 16, name.leftJustified(16, ' ', true));
    out[17] = back ? 1 : 0;
    out[18] = 1;
    out.replace(19, 3, "UP ");
    out.replace(23, 3, "DN ");
    return out;
}

// Labels of the first unit: card letter and two-digit position.
QByteArray label(int channel)
{
    const int k = channel - 1;
    return "A" + QByteArray(1, char('A' + k / 48)) +
           QByteArray::number(k % 48 + 1).rightJustified(2, '0');
}

// A site's .dip and .csv: channel 2 "Points 2A" on a back contact, the rest default.
QByteArray siteDip()
{
    QByteArray out = header(0xFFC0FFEE, 3, 384);
    for (int channel = 1; channel <= 384; ++channel)
        out += channel == 2 ? record("Points 2A", true) : record("Spare " + label(channel), false);
    return out;
}

QByteArray siteCsv()
{
    QByteArray out;
    for (int channel = 1; channel <= 384; ++channel)
        out += label(channel) +
               (channel == 2 ? ",Points 2A,Back\r\n" : ",Spare " + label(channel) + ",Front\r\n");
    return out;
}

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void reportsOnStandardError_data();
    void reportsOnStandardError();
    void convertsBothWays_data();
    void convertsBothWays();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersionOnStandardOutput_data();
    void helpAndVersionOnStandardOutput();

private:
    Run convert(const QStringList& arguments);
    QString at(const QString& name) const { return dir->filePath(name); }
    QStringList entries() const
    {
        return QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<QTemporaryDir> dir;
};

void TestConvert::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

Run TestConvert::convert(const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(dir->path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(ZR415_CONVERT_EXE, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

void TestConvert::reportsOnStandardError_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<int>("status");
    const QString unexpected =
        "Unexpected channel number.\nExpected AA01 (1), got BA01 (385)\nContinue loading?\n";
    const QString csv = QStringLiteral("out.csv");
    QTemporaryDir scratch;
    QFile missing(scratch.filePath(QStringLiteral("missing/site.dip")));
    QVERIFY(!missing.open(QIODevice::WriteOnly));

    QTest::newRow("too short") << "in.dip" << QByteArray(15, '\0') << false << csv
                               << "File too short\n\n"
                               << 1;
    QTest::newRow("flag, even with --yes") << "in.dip" << header(0x12345678, 3, 384) << true << csv
                                           << "File flag incorrect - this is not an ZR415 file\n\n"
                                           << 1;
    QTest::newRow("version") << "in.dip" << header(0xFFC0FFEE, -1, 384) << false << csv
                             << "This software cannot read version -1 dip files\n\n"
                             << 1;
    QTest::newRow("count 0") << "in.dip" << header(0xFFC0FFEE, 3, 0) << false << csv
                             << "Error setting no of channels.\n\n0 channels loaded\n\n"
                             << 1;
    QTest::newRow("count 5000")
        << "in.dip" << header(0xFFC0FFEE, 3, 5000) << false << csv
        << "This copy of ZR415Config can handle a maximum of 3072 channels.\n\n"
           "3072 channels loaded\n\n"
        << 1;
    QTest::newRow("csv past the maximum")
        << "in.csv" << QByteArray("AA01,R,F\r\n3073,S,F\r\n") << true << csv
        << "Unexpected channel number.\nExpected AA02 (2), got  (3073)\nContinue loading?\n"
           "[OK]\n\nThis copy of ZR415Config can handle a maximum of 3072 channels.\n\n"
           "1 channels imported\n\n"
        << 1;
    QTest::newRow("question, Cancel") << "in.csv" << QByteArray("BA01,R,Back\r\n") << false << csv
                                      << unexpected + "[Cancel]\n\n0 channels imported\n\n"
                                      << 1;
    QTest::newRow("question, --yes") << "in.csv" << QByteArray("BA01,R,Back\r\n") << true << csv
                                     << unexpected + "[OK]\n\n385 channels imported\n\n"
                                     << 0;
    QTest::newRow("too few fields")
        << "in.csv" << QByteArray("AA01\r\nAA01,R\r\n") << true << csv
        << "Not enough fields found in line:-\n\"AA01\"\nContinue loading?\n[OK]\n\n"
           "1 channels imported\n\n"
        << 0;
    QTest::newRow("overflow") << "in.csv" << QByteArray("4294967296,R\r\n") << true << csv
                              << "Error occurred while loading.\nOverflow\n\n"
                              << 1;
    QTest::newRow("save into a missing folder")
        << "in.csv" << siteCsv() << false << "missing/site.dip"
        << "384 channels imported\n\nError occurred while saving.\n" + missing.errorString() +
               "\n\n"
        << 1;
}

void TestConvert::reportsOnStandardError()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, yes);
    QFETCH(QString, output);
    QFETCH(int, status);
    writeFile(at(input), bytes);
    const Run run = convert(yes ? QStringList{"--yes", input, output} : QStringList{input, output});
    QTEST(run.errors, "errors");
    QCOMPARE(run.status, status);
    if (status == 0)
        QVERIFY(QFile::exists(at(output)));
    else
        QCOMPARE(entries(), QStringList{input});
}

void TestConvert::convertsBothWays_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("errors");
    QTest::newRow("dip to csv") << "site.dip" << siteDip() << "site.csv" << siteCsv()
                                << "384 channels loaded\n\n";
    QTest::newRow("csv to DIP in capitals")
        << "site.csv" << siteCsv() << "SITE.DIP" << siteDip() << "384 channels imported\n\n";
}

void TestConvert::convertsBothWays()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, output);
    writeFile(at(input), bytes);
    const Run run = convert({input, output});
    QTEST(run.errors, "errors");
    QCOMPARE(run.status, 0);
    QTEST(readFile(at(output)), "expected");
}

void TestConvert::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("input only") << QStringList{"site.dip"};
    QTest::newRow("three") << QStringList{"site.dip", "a.csv", "b.csv"};
    QTest::newRow("unknown input") << QStringList{"site.txt", "site.csv"};
    QTest::newRow("unknown output") << QStringList{"site.dip", "site.xml"};
    QTest::newRow("unknown option") << QStringList{"--frob", "site.dip", "site.csv"};
}

void TestConvert::usageErrors()
{
    QFETCH(QStringList, arguments);
    writeFile(at("site.dip"), siteDip());
    const Run run = convert(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.errors.contains("Usage:"), qPrintable(run.errors));
    QCOMPARE(entries(), QStringList{"site.dip"});
}

void TestConvert::helpAndVersionOnStandardOutput_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("--version") << "--version"
                               << "zr415-convert " ZR415_VERSION;
    QTest::newRow("--help") << "--help"
                            << "Usage:";
}

void TestConvert::helpAndVersionOnStandardOutput()
{
    QFETCH(QString, option);
    QProcess process;
    process.start(ZR415_CONVERT_EXE, {option});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    QTEST(output.section(u'\n', 0, 0), "firstLine");
    QCOMPARE(process.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
