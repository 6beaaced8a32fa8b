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
    QString output;
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
    void commandLine_data();
    void commandLine();

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
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TestConvert::reportsOnStandardError_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("written"); // empty: only that the output exists
    const QString unexpected =
        "Unexpected channel number.\nExpected AA01 (1), got BA01 (385)\nContinue loading?\n";
    const QString csv = QStringLiteral("out.csv");
    QTemporaryDir scratch;
    QFile missing(scratch.filePath(QStringLiteral("missing/site.csv")));
    QVERIFY(!missing.open(QIODevice::WriteOnly));

    QTest::newRow("dip to csv") << "site.dip" << siteDip() << false << "site.csv"
                                << "384 channels loaded\n\n"
                                << 0 << siteCsv();
    QTest::newRow("csv to DIP in capitals") << "site.csv" << siteCsv() << false << "SITE.DIP"
                                            << "384 channels imported\n\n"
                                            << 0 << siteDip();
    QTest::newRow("flag, even with --yes") << "in.dip" << header(0x12345678, 3, 384) << true << csv
                                           << "File flag incorrect - this is not an ZR415 file\n\n"
                                           << 1 << QByteArray();
    // The loader keeps the first 3072 channels; a converted cut copy would pass for the site.
    QTest::newRow("count 5000")
        << "in.dip" << header(0xFFC0FFEE, 3, 5000) << false << csv
        << "This copy of ZR415Config can handle a maximum of 3072 channels.\n\n"
           "3072 channels loaded\n\n"
        << 1 << QByteArray();
    QTest::newRow("question, Cancel") << "in.csv" << QByteArray("BA01,R,Back\r\n") << false << csv
                                      << unexpected + "[Cancel]\n\n0 channels imported\n\n"
                                      << 1 << QByteArray();
    QTest::newRow("question, --yes") << "in.csv" << QByteArray("BA01,R,Back\r\n") << true << csv
                                     << unexpected + "[OK]\n\n385 channels imported\n\n"
                                     << 0 << QByteArray();
    QTest::newRow("overflow") << "in.csv" << QByteArray("4294967296,R\r\n") << true << csv
                              << "Error occurred while loading.\nOverflow\n\n"
                              << 1 << QByteArray();
    QTest::newRow("save into a missing folder")
        << "in.dip" << siteDip() << false << "missing/site.csv"
        << "384 channels loaded\n\nError occurred while saving.\n" + missing.errorString() + "\n\n"
        << 1 << QByteArray();
}

void TestConvert::reportsOnStandardError()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, yes);
    QFETCH(QString, output);
    QFETCH(int, status);
    QFETCH(QByteArray, written);
    writeFile(at(input), bytes);
    const Run run = convert(yes ? QStringList{"--yes", input, output} : QStringList{input, output});
    QTEST(run.errors, "errors");
    QCOMPARE(run.status, status);
    if (status != 0)
        QCOMPARE(entries(), QStringList{input});
    else if (written.isEmpty())
        QVERIFY(QFile::exists(at(output)));
    else
        QCOMPARE(readFile(at(output)), written);
}

void TestConvert::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("firstLine"); // of standard output
    QTest::addColumn<QString>("errors");    // how standard error begins; empty: nothing there
    const QString arity = "Expected an INPUT and an OUTPUT.\n\nUsage:\n";
    const QString unknown = "Unknown file type - use a .dip, .csv or .cfg file name.\n\nUsage:\n";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "zr415-convert " ZR415_VERSION
                               << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage:"
                            << "";
    QTest::newRow("input only") << QStringList{"site.dip"} << 2 << "" << arity;
    QTest::newRow("unknown input") << QStringList{"site.txt", "site.csv"} << 2 << "" << unknown;
    QTest::newRow("unknown output") << QStringList{"site.dip", "site.xml"} << 2 << "" << unknown;
}

void TestConvert::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, errors);
    writeFile(at("site.dip"), siteDip());
    const Run run = convert(arguments);
    QTEST(run.status, "status");
    QTEST(run.output.section(u'\n', 0, 0), "firstLine");
    QVERIFY2(errors.isEmpty() ? run.errors.isEmpty() : run.errors.startsWith(errors),
             qPrintable(run.errors));
    QCOMPARE(entries(), QStringList{"site.dip"});
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
