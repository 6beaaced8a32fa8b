#include "common/ChannelLabel.h"

#include <QTest>

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

    void labelsRoundTrip()
    {
        for (int channel = 1; channel <= kMaxChannels; ++channel)
            QCOMPARE(ChannelNumberFromLabel(ChannelLabel(channel)), std::optional<int>(channel));
    }
};

QTEST_GUILESS_MAIN(TestModFunc)
#include "tst_modfunc.moc"
