#include "common/ChannelLabel.h"
#include "common/ScriptedDialogs.h"
#include "common/ShowMessage.h"
#include "common/SplitFields.h"

#include <QTest>

#include <climits>

using namespace ModFunc;

class TestModFunc : public QObject
{
    Q_OBJECT

private slots:
    void channelLabel_data();
    void channelLabel();
    void channelNumberFromLabel_data();
    void channelNumberFromLabel();
    void labelsRoundTrip();
    void splitFields_data();
    void splitFields();
    void scriptedDialogsAnswerOnlyQuestions();
};

void TestModFunc::channelLabel_data()
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

void TestModFunc::channelLabel()
{
    QFETCH(int, channel);
    QFETCH(QString, label);
    QCOMPARE(ChannelLabel(channel), label);
}

void TestModFunc::channelNumberFromLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overflow");
    QTest::addColumn<int>("channel");
    const auto row = [](const char* name, const char* text, int channel) {
        QTest::newRow(name) << QString::fromLatin1(text) << false << channel;
    };
    const auto overflow = [](const char* text) {
        QTest::newRow(text) << QString::fromLatin1(text) << true << 0;
    };
    row("AA00 has no range test", "AA00", 0);
    row("AA49 is AB01", "AA49", 49);
    row("lower case", "aa01", 0);
    row("unit I", "IA01", 0);
    row("card I", "AI01", 0);
    row("three characters", "AA1", 0);
    row("label and blank", "AA01 ", 0);
    row("position not a number", "BAx1", 0);
    row("blanks around", "  12 ", 12);
    row("plus", "+7", 7);
    row("minus", "-3", -3);
    row("beyond 3072", "5000", 5000);
    row("above half", "2.5000001", 3);
    row("leading point", ".6", 1);
    row("empty", "", 0);
    row("two signs", "+-1", 0);
    row("two points", "1.2.3", 0);
    row("INT_MAX", "2147483647", INT_MAX);
    row("INT_MIN", "-2147483648", INT_MIN);
    row("below INT_MAX by a half", "2147483646.5", 2147483646);
    row("INT_MIN half to even", "-2147483648.5", INT_MIN);
    overflow("2147483648");
    overflow("2147483647.5");
    overflow("-2147483649");
}

void TestModFunc::channelNumberFromLabel()
{
    QFETCH(QString, text);
    QFETCH(bool, overflow);
    QFETCH(int, channel);
    const std::optional<int> number = ChannelNumberFromLabel(text);
    QCOMPARE(!number.has_value(), overflow);
    if (number)
        QCOMPARE(*number, channel);
}

void TestModFunc::labelsRoundTrip()
{
    for (int channel = 1; channel <= kMaxChannels; ++channel)
        QCOMPARE(ChannelNumberFromLabel(ChannelLabel(channel)), std::optional<int>(channel));
}

void TestModFunc::splitFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty") << "" << QStringList{"", ""};
    QTest::newRow("no comma") << "AA01 Relay" << QStringList{"", "AA01 Relay"};
    QTest::newRow("empty fields") << ",a,,b," << QStringList{"", "", "a", "", "b", ""};
    QTest::newRow("blanks and quotes stay") << " \"a,b\" " << QStringList{"", " \"a", "b\" "};
}

void TestModFunc::splitFields()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(SplitFields(text, u","), fields);
}

void TestModFunc::scriptedDialogsAnswerOnlyQuestions()
{
    ScriptedDialogs outer;
    {
        ScriptedDialogs inner;
        inner.answerNext(MessageAnswer::Ok);
        ShowMessage("notice");
        QCOMPARE(AskUser("q1", "t", MessageIcon::Question, MessageButtons::OkCancel),
                 MessageAnswer::Ok);
        QCOMPARE(AskUser("q2", "t", MessageIcon::Question, MessageButtons::OkCancel),
                 MessageAnswer::Cancel);
        QCOMPARE(inner.texts(), (QStringList{"notice", "q1", "q2"}));
        QCOMPARE(inner.unexpectedQuestions(), 1);
        QCOMPARE(inner.unusedAnswers(), 0);
    }
    ShowMessage("after");
    QCOMPARE(outer.texts(), QStringList{"after"});
}

QTEST_GUILESS_MAIN(TestModFunc)
#include "tst_modfunc.moc"
