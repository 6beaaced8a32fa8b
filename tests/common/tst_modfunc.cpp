#include "common/ChannelLabel.h"

#include <QTest>

#include <climits>

using namespace ModFunc;

class TestModFunc : public QObject
{
    Q_OBJECT

private slots:
    void channelLabel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("label");
        QTest::newRow("0") << 0 << "";
        QTest::newRow("1") << 1 << "AA01";
        QTest::newRow("48") << 48 << "AA48";
        QTest::newRow("49") << 49 << "AB01";
        QTest::newRow("385") << 385 << "BA01";
        QTest::newRow("3072") << 3072 << "HH48";
        QTest::newRow("3073") << 3073 << "";
    }

    void channelLabel()
    {
        QFETCH(int, channel);
        QFETCH(QString, label);
        QCOMPARE(ChannelLabel(channel), label);
    }

    // A label outside the grid is read as a number, which it is not: 0.
    void channelNumberFromLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("channel"); // nullopt: overflow
        const auto row = [](const char* text, std::optional<int> channel) {
            QTest::newRow(text) << QString::fromLatin1(text) << channel;
        };
        row("AA49", 49);
        row("aa01", 0);
        row("IA01", 0);
        row("  12 ", 12);
        row("-3", -3);
        row("2.5000001", 3);
        row("-2147483648.5", INT_MIN);
        row("2147483647.5", std::nullopt);
        row("-2147483649", std::nullopt);
    }

    void channelNumberFromLabel()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, channel);
        QCOMPARE(ChannelNumberFromLabel(text), channel);
    }

    void labelsRoundTrip()
    {
        for (int channel = 1; channel <= kMaxChannels; ++channel)
            QCOMPARE(ChannelNumberFromLabel(ChannelLabel(channel)), std::optional<int>(channel));
    }
};

QTEST_GUILESS_MAIN(TestModFunc)
#include "tst_modfunc.moc"
