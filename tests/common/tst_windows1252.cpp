#include "common/Windows1252.h"

#include <QTest>

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    // 0x80..0x9F hold the code page's own characters; the five holes keep the C1 control.
    void everyByteDecodesAndEncodesBack()
    {
        const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        QByteArray bytes;
        QString expected;
        for (int byte = 0; byte < 256; ++byte) {
            bytes.append(char(byte));
            expected.append(QChar(byte >= 0x80 && byte <= 0x9F ? high[byte - 0x80] : byte));
        }
        const QString text = Windows1252::decode(bytes);
        QCOMPARE(text, expected);
        QCOMPARE(Windows1252::encode(text), bytes);
    }

    // The decoder takes sixteen bytes, then eight, then one at a time: a lone byte from
    // 0x80..0x9F must be found in each part of a plain text.
    void controlByteAtAnyPlace()
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

    // One '?' for each character the code page lacks: a character next to a held one, a
    // surrogate pair, lone halves, a high half as the last character.
    void missingCharactersBecomeQuestionMarks()
    {
        const QString text = QString::fromUtf8("\u00FF\u0100\u2122\u2123a😀b") + QChar(0xD800) +
                             u'x' + QChar(0xDC00) + u'y' + QChar(0xD800);
        QCOMPARE(Windows1252::encode(text), QByteArray("\xFF?\x99?a?b?x?y?"));
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
