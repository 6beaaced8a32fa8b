#include "common/Windows1252.h"

#include <QTest>

namespace {

// What the code page puts at 0x80..0x9F; the five holes keep the C1 control of the same value.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t expectedCharacter(int byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t(byte);
}

} // namespace

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteDecodesAndEncodesBack_data();
    void everyByteDecodesAndEncodesBack();
    void controlByteAtAnyPlace();
    void everyOtherBmpCharacterBecomesQuestionMark();
    void surrogates_data();
    void surrogates();
};

void TestWindows1252::everyByteDecodesAndEncodesBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray all;
    QByteArray latin;
    for (int byte = 0; byte < 256; ++byte) {
        all.append(char(byte));
        if (byte < 0x80 || byte > 0x9F)
            latin.append(char(byte));
    }
    QTest::newRow("all 256") << all;
    // Text without 0x80..0x9F may take another path through the decoder.
    QTest::newRow("without 0x80..0x9F") << latin;
}

void TestWindows1252::everyByteDecodesAndEncodesBack()
{
    QFETCH(QByteArray, bytes);
    QString expected;
    for (const char byte : bytes)
        expected.append(QChar(expectedCharacter(static_cast<unsigned char>(byte))));
    const QString text = Windows1252::decode(bytes);
    QCOMPARE(text, expected);
    QCOMPARE(Windows1252::encode(text), bytes);
}

// The decoder takes sixteen bytes, then eight, then one at a time: a lone byte from 0x80..0x9F
// must be found in each part of a plain text.
void TestWindows1252::controlByteAtAnyPlace()
{
    for (int size = 1; size <= 40; ++size) {
        for (int at = 0; at < size; ++at) {
            QByteArray bytes(size, 'a');
            bytes[at] = '\x93';
            QString expected(size, u'a');
            expected[at] = QChar(u'\u201C');
            QCOMPARE(Windows1252::decode(bytes), expected);
        }
    }
}

void TestWindows1252::everyOtherBmpCharacterBecomesQuestionMark()
{
    QHash<char16_t, char> held;
    for (int byte = 0; byte < 256; ++byte)
        held.insert(expectedCharacter(byte), char(byte));
    QString text;
    QByteArray expected;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        text.append(QChar(char16_t(c)));
        expected.append(held.value(char16_t(c), '?'));
    }
    QCOMPARE(Windows1252::encode(text), expected);
}

void TestWindows1252::surrogates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("pair") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                               "b")
                          << QByteArray("a?b");
    QTest::newRow("two pairs") << QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x80")
                               << QByteArray("??");
    QTest::newRow("lone high") << QString(QChar(0xD800)) + u'x' << QByteArray("?x");
    QTest::newRow("lone low") << u'x' + QString(QChar(0xDC00)) << QByteArray("x?");
}

void TestWindows1252::surrogates()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Windows1252::encode(text), bytes);
}

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
