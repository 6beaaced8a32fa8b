#include "windows/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtEndian>

#include <optional>

namespace {

QTextDocument* readRtf(const QByteArray& rtf, QObject* owner, double dotsPerInch = 96.0)
{
    auto* document = new QTextDocument(owner);
    RtfReader(dotsPerInch).read(rtf, *document);
    return document;
}

// The format of the first fragment whose text is exactly `text`.
std::optional<QTextCharFormat> formatOf(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text() == text)
                return it.fragment().charFormat();
        }
    }
    return std::nullopt;
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

QByteArray pngBytes(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// The CRC-32 that PNG chunks carry.
quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A valid PNG whose header claims another size.
QByteArray withClaimedSize(QByteArray png, quint32 width, quint32 height)
{
    QByteArray header = png.mid(12, 17); // "IHDR" and its 13 bytes
    qToBigEndian(width, header.data() + 4);
    qToBigEndian(height, header.data() + 8);
    char crc[4];
    qToBigEndian(crc32(header), crc);
    png.replace(12, 17, header);
    png.replace(29, 4, QByteArray(crc, 4));
    return png;
}

QByteArray pictureGroup(const QByteArray& words, const QByteArray& data)
{
    QByteArray hex = data.toHex();
    // Writers break the hex into lines; the reader must not care.
    for (qsizetype at = 64; at < hex.size(); at += 65)
        hex.insert(at, '\n');
    return "{\\pict" + words + "\n" + hex + "}";
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void characterFormats_data();
    void characterFormats();
    void text_data();
    void text();
    void fontTableNamesTheFonts();
    void paragraphIndentsAndAlignment();
    void pictureShownAtItsGoalSize_data();
    void pictureShownAtItsGoalSize();
    void brokenPicturesShowNothing_data();
    void brokenPicturesShowNothing();
    void picturesStopAtAPixelBudget();
    void replacesEarlierContent();
    void hostileInputIsSurvived_data();
    void hostileInputIsSurvived();
    void randomInputIsSurvived();
};

void TestRtfReader::characterFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("vertical");

    const int normal = QTextCharFormat::AlignNormal;
    const int super = QTextCharFormat::AlignSuperScript;
    const int sub = QTextCharFormat::AlignSubScript;
    QTest::newRow("bold group") << QByteArray("{\\rtf1 x{\\b bold}y}") << "bold" << true << false
                                << 12.0 << normal;
    QTest::newRow("group end restores") << QByteArray("{\\rtf1 x{\\b\\i\\fs40 in}out}") << "out"
                                        << false << false << 12.0 << normal;
    QTest::newRow("italic") << QByteArray("{\\rtf1 \\i it\\i0 no}") << "it" << false << true << 12.0
                            << normal;
    QTest::newRow("half points") << QByteArray("{\\rtf1 \\fs28 big}") << "big" << false << false
                                 << 14.0 << normal;
    QTest::newRow("superscript") << QByteArray("{\\rtf1\\b\\fs28 Corvane{\\super 1} config}") << "1"
                                 << true << false << 14.0 << super;
    QTest::newRow("subscript") << QByteArray("{\\rtf1 H\\sub 2\\nosupersub O}") << "2" << false
                               << false << 12.0 << sub;
    QTest::newRow("nosupersub") << QByteArray("{\\rtf1 H\\sub 2\\nosupersub O}") << "O" << false
                                << false << 12.0 << normal;
    QTest::newRow("plain resets") << QByteArray("{\\rtf1\\b\\i\\fs16\\super a\\plain b}") << "b"
                                  << false << false << 12.0 << normal;
}

void TestRtfReader::characterFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const QTextDocument* document = readRtf(rtf, this);
    const std::optional<QTextCharFormat> format = formatOf(*document, text);
    QVERIFY2(format, qPrintable(document->toPlainText()));
    QTEST(format->fontWeight() == QFont::Bold, "bold");
    QTEST(format->fontItalic(), "italic");
    QTEST(format->fontPointSize(), "points");
    QTEST(int(format->verticalAlignment()), "vertical");
}

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("windows-1252 bytes")
        << QByteArray("{\\rtf1 \\'93Browse\\'85\\'94 \\'80\\'e9}")
        << QString::fromUtf8("\u201CBrowse\u2026\u201D \u20AC\u00E9");
    QTest::newRow("unicode skips its fallback")
        << QByteArray("{\\rtf1 \\u8220?quoted\\u8221?}") << QString::fromUtf8("\u201Cquoted\u201D");
    QTest::newRow("two fallback characters")
        << QByteArray("{\\rtf1\\uc2 \\u8364 EUx}") << QString::fromUtf8("\u20ACx");
    QTest::newRow("negative unicode")
        << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(char16_t(0xF020)));
    QTest::newRow("surrogate pair")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("\U0001F600");
    QTest::newRow("lone surrogate")
        << QByteArray("{\\rtf1 \\u-10179?x}") << QString::fromUtf8("\uFFFDx");
    QTest::newRow("named symbols")
        << QByteArray("{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote\\endash\\emdash\\bullet}")
        << QString::fromUtf8("\u2018\u2019\u201C\u201D\u2013\u2014\u2022");
    QTest::newRow("delimiting space taken") << QByteArray("{\\rtf1 railway authority\\rquote s}")
                                            << QString::fromUtf8("railway authority\u2019s");
    QTest::newRow("escapes") << QByteArray("{\\rtf1 \\{a\\}\\\\b}") << "{a}\\b";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par\r\n\\par three}")
                                << "one\ntwo\n\nthree";
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << "a\tb";
    QTest::newRow("line breaks in the source are not text")
        << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
    QTest::newRow("unknown destination skipped")
        << QByteArray("{\\rtf1 a{\\*\\unknown hidden {\\b deeper}}b}") << "ab";
    QTest::newRow("unknown word ignored") << QByteArray("{\\rtf1 a\\madeup12 b}") << "ab";
    QTest::newRow("known destinations not shown")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue0;}"
                      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}x}")
        << "x";
    QTest::newRow("old bullet numbering skipped")
        << QByteArray("{\\rtf1{\\pn\\pnlvlblt{\\pntxtb\\'b7}}{\\pntext\\bullet\\tab}item}")
        << QString::fromUtf8("\u2022\titem");
    QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a{\\*\\x\\bin3 {}}}b}") << "ab";
    QTest::newRow("picture inside shppict kept, nonshppict skipped")
        << QByteArray("{\\rtf1 a{\\*\\shppict b}{\\nonshppict c}d}") << "abd";
    QTest::newRow("field result shown, instruction not")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}") << "link";
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QTEST(readRtf(rtf, this)->toPlainText(), "text");
}

void TestRtfReader::fontTableNamesTheFonts()
{
    const QTextDocument* document =
        readRtf("{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Tahoma;}{\\f1\\froman Times New "
                "Roman;}\\f2 Courier New;}default\\f0 tahoma\\f2 courier}",
                this);
    QCOMPARE(document->toPlainText(), QStringLiteral("defaulttahomacourier"));
    QCOMPARE(formatOf(*document, "default")->fontFamilies().toStringList(),
             QStringList{"Times New Roman"});
    QCOMPARE(formatOf(*document, "tahoma")->fontFamilies().toStringList(), QStringList{"Tahoma"});
    QCOMPARE(formatOf(*document, "courier")->fontFamilies().toStringList(),
             QStringList{"Courier New"});
}

void TestRtfReader::paragraphIndentsAndAlignment()
{
    // 1440 twips to the inch: at 144 pixels per inch, 10 twips are a pixel.
    const QTextDocument* document =
        readRtf("{\\rtf1\\pard\\li280\\fi-140\\ri100\\sb60\\sa120\\tx560 one\\par\\qc "
                "two\\par\\pard three}",
                this, 144.0);
    QCOMPARE(document->blockCount(), 3);
    const QTextBlockFormat first = document->findBlockByNumber(0).blockFormat();
    QCOMPARE(first.leftMargin(), 28.0);
    QCOMPARE(first.textIndent(), -14.0);
    QCOMPARE(first.rightMargin(), 10.0);
    QCOMPARE(first.topMargin(), 6.0);
    QCOMPARE(first.bottomMargin(), 12.0);
    // The tab stop at 560 twips lies 420 twips past the start of the first line.
    QCOMPARE(first.tabPositions().size(), 1);
    QCOMPARE(first.tabPositions().first().position, 42.0);
    const QTextBlockFormat second = document->findBlockByNumber(1).blockFormat();
    QCOMPARE(second.leftMargin(), 28.0);
    QCOMPARE(int(second.alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignHCenter));
    const QTextBlockFormat third = document->findBlockByNumber(2).blockFormat();
    QCOMPARE(third.leftMargin(), 0.0);
    QCOMPARE(int(third.alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignLeft));
}

void TestRtfReader::pictureShownAtItsGoalSize_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<double>("dotsPerInch");
    QTest::addColumn<QSizeF>("shown");

    QTest::newRow("goal size") << QByteArray("\\pngblip\\picw20\\pich10\\picwgoal600\\pichgoal300")
                               << QByteArray() << 96.0 << QSizeF(40, 20);
    QTest::newRow("goal size at 192 dpi") << QByteArray("\\pngblip\\picwgoal600\\pichgoal300")
                                          << QByteArray() << 192.0 << QSizeF(80, 40);
    QTest::newRow("scaled") << QByteArray("\\pngblip\\picwgoal600\\pichgoal300\\picscalex50")
                            << QByteArray() << 96.0 << QSizeF(20, 20);
    QTest::newRow("no goal: the picture's own size")
        << QByteArray("\\pngblip") << QByteArray() << 96.0 << QSizeF(20, 10);
    QTest::newRow("odd hex digit at the end") << QByteArray("\\pngblip\\picwgoal600\\pichgoal300")
                                              << QByteArray("a") << 96.0 << QSizeF(40, 20);
    QTest::newRow("unknown group inside")
        << QByteArray("{\\*\\blipuid 0123456789abcdef}\\pngblip\\picwgoal600\\pichgoal300")
        << QByteArray() << 96.0 << QSizeF(40, 20);
}

void TestRtfReader::pictureShownAtItsGoalSize()
{
    QFETCH(QByteArray, words);
    QFETCH(QByteArray, tail);
    QFETCH(double, dotsPerInch);
    QFETCH(QSizeF, shown);
    const QByteArray png = pngBytes(QSize(20, 10));
    QByteArray group = pictureGroup(words, png);
    group.insert(group.size() - 1, tail);
    const QTextDocument* document = readRtf("{\\rtf1 before" + group + "after}", this, dotsPerInch);

    const QList<QTextImageFormat> images = imagesOf(*document);
    QCOMPARE(images.size(), 1);
    QCOMPARE(QSizeF(images[0].width(), images[0].height()), shown);
    const QImage image =
        document->resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    QCOMPARE(image.size(), QSize(20, 10));
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::darkCyan));
    QCOMPARE(document->toPlainText(), QStringLiteral("before") + QChar::ObjectReplacementCharacter +
                                          QStringLiteral("after"));
}

void TestRtfReader::brokenPicturesShowNothing_data()
{
    const QByteArray png = pngBytes(QSize(20, 10));
    QTest::addColumn<QByteArray>("group");
    QTest::newRow("not a png") << pictureGroup("\\pngblip", "not a picture at all");
    QTest::newRow("cut short") << pictureGroup("\\pngblip", png.left(png.size() / 2));
    QTest::newRow("metafile") << pictureGroup("\\wmetafile8", png);
    QTest::newRow("no data") << QByteArray("{\\pict\\pngblip}");
    QTest::newRow("claims to be huge")
        << pictureGroup("\\pngblip", withClaimedSize(png, 1000000, 1000000));
    QTest::newRow("in a skipped destination")
        << "{\\*\\unknown" + pictureGroup("\\pngblip", png) + "}";
}

void TestRtfReader::brokenPicturesShowNothing()
{
    QFETCH(QByteArray, group);
    const QTextDocument* document = readRtf("{\\rtf1 a" + group + "b}", this);
    QVERIFY(imagesOf(*document).isEmpty());
    QCOMPARE(document->toPlainText(), QStringLiteral("ab"));
}

void TestRtfReader::picturesStopAtAPixelBudget()
{
    // 4096 x 4096 pixels each: two fit the reader's budget, the third does not.
    const QByteArray group = pictureGroup("\\pngblip", pngBytes(QSize(4096, 4096)));
    const QTextDocument* document = readRtf("{\\rtf1 " + group + group + group + "}", this);
    QCOMPARE(imagesOf(*document).size(), 2);
}

void TestRtfReader::replacesEarlierContent()
{
    QTextDocument document;
    document.setPlainText("old text");
    RtfReader().read("{\\rtf1 new}", document);
    QCOMPARE(document.toPlainText(), QStringLiteral("new"));
}

void TestRtfReader::hostileInputIsSurvived_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("not rtf") << QByteArray("plain words") << "plain words";
    QTest::newRow("cut in a group") << QByteArray("{\\rtf1 {\\b bol") << "bol";
    QTest::newRow("cut after backslash") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("cut in hex escape") << QByteArray("{\\rtf1 a\\'9") << "a9";
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("cut in word") << QByteArray("{\\rtf1 a\\u") << "a";
    QTest::newRow("minus without digits") << QByteArray("{\\rtf1 a\\b-x}") << "a-x";
    QTest::newRow("cut in picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << "a";
    QTest::newRow("too many closing braces") << QByteArray("}}}{\\rtf1 x}}}}y") << "xy";
    QTest::newRow("huge font size") << QByteArray("{\\rtf1\\fs99999999999999999999999 x}") << "x";
    QTest::newRow("huge negative indent")
        << QByteArray("{\\rtf1\\li-99999999999999\\fi-99999999999 x\\par}") << "x\n";
    QTest::newRow("huge binary length") << QByteArray("{\\rtf1 x\\bin99999999999 abc}") << "x";
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1 x\\bin-5 y}") << "xy";
    QTest::newRow("huge fallback count")
        << QByteArray("{\\rtf1\\uc999999999 \\u8220 abc}") << QString::fromUtf8("\u201C");
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1 \\u99999999999 ?x}")
                                  << QString::fromUtf8("\uFFFDx");
    QTest::newRow("very long word")
        << QByteArray("{\\rtf1 a\\" + QByteArray(100000, 'q') + " b}") << "ab";
    QTest::newRow("moderate nesting keeps text")
        << QByteArray(50, '{') + "\\b deep" + QByteArray(50, '}') << "deep";
    QTest::newRow("deep nesting, text after")
        << QByteArray(200000, '{') + QByteArray(200000, '}') + "after"
        << "after";
    QTest::newRow("control bytes") << QByteArray("{\\rtf1 a\x01\x02\x7f"
                                                 "b}")
                                   << QString("a") + QChar(0x7F) + "b";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\\'00\\u0 ?c}", 21) << "abc";
}

void TestRtfReader::hostileInputIsSurvived()
{
    QFETCH(QByteArray, rtf);
    const QTextDocument* document = readRtf(rtf, this);
    QTEST(document->toPlainText(), "text");
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QVERIFY(block.blockFormat().leftMargin() < 2000);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(it.fragment().charFormat().fontPointSize() <= 400);
    }
}

void TestRtfReader::randomInputIsSurvived()
{
    // Inputs made mostly of RTF's own characters reach the deeper paths of the reader.
    static const QByteArray alphabet = "{}\\\\\\'*abfiuscpqrtxl0123456789-; \r\n\x93\xff";
    static const QList<QByteArray> words = {"\\pict", "\\pngblip", "\\bin",     "\\u",
                                            "\\uc",   "\\'",       "\\fonttbl", "\\*",
                                            "\\par",  "\\f",       "\\fs",      "\\super"};
    QRandomGenerator random(415);
    for (int round = 0; round < 3000; ++round) {
        QByteArray rtf;
        const int length = random.bounded(1, 400);
        while (rtf.size() < length) {
            if (random.bounded(4) == 0)
                rtf += words[random.bounded(int(words.size()))];
            else
                rtf += alphabet[random.bounded(int(alphabet.size()))];
        }
        QTextDocument document;
        RtfReader().read(rtf, document);
        // No input makes more characters than it has bytes, and one more paragraph.
        QVERIFY2(document.characterCount() <= rtf.size() + 1, rtf.constData());
    }
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
