#include "windows/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <optional>

namespace {

QTextDocument* readRtf(const QByteArray& rtf, QObject* owner, double dotsPerInch = 96.0)
{
    auto* document = new QTextDocument(owner);
    RtfReader(dotsPerInch).read(rtf, *document);
    return document;
}

QList<QTextFragment> fragmentsOf(const QTextDocument& document)
{
    QList<QTextFragment> fragments;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.append(it.fragment());
    }
    return fragments;
}

// The format of the first fragment whose text is exactly `text`.
std::optional<QTextCharFormat> formatOf(const QTextDocument& document, const QString& text)
{
    for (const QTextFragment& fragment : fragmentsOf(document)) {
        if (fragment.text() == text)
            return fragment.charFormat();
    }
    return std::nullopt;
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> images;
    for (const QTextFragment& fragment : fragmentsOf(document)) {
        if (fragment.charFormat().isImageFormat())
            images.append(fragment.charFormat().toImageFormat());
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

void textRow(const char* name, const QByteArray& rtf, const QString& text)
{
    QTest::newRow(name) << rtf << text;
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
    void picturesShownAtTheirGoalSize_data();
    void picturesShownAtTheirGoalSize();
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
    const auto row = [](const char* name, const QByteArray& rtf, const QString& text, bool bold,
                        bool italic, double points, int vertical) {
        QTest::newRow(name) << rtf << text << bold << italic << points << vertical;
    };
    const int normal = QTextCharFormat::AlignNormal;
    row("bold and italic group", "{\\rtf1 x{\\b\\i bold}y}", "bold", true, true, 12, normal);
    row("group end restores", "{\\rtf1 x{\\b\\i\\fs40 in}out}", "out", false, false, 12, normal);
    row("italic off", "{\\rtf1 \\i it\\i0 no}", "no", false, false, 12, normal);
    row("superscript", "{\\rtf1\\b\\fs28 Corvane{\\super 1} config}", "1", true, false, 14,
        QTextCharFormat::AlignSuperScript);
    row("subscript", "{\\rtf1 H\\sub 2\\nosupersub O}", "2", false, false, 12,
        QTextCharFormat::AlignSubScript);
    row("nosupersub", "{\\rtf1 H\\sub 2\\nosupersub O}", "O", false, false, 12, normal);
    row("plain resets", "{\\rtf1\\b\\i\\fs16\\super a\\plain b}", "b", false, false, 12, normal);
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
    textRow("windows-1252 bytes", "{\\rtf1 \\'93Browse\\'85\\'94 \\'80\\'e9}",
            "\u201CBrowse\u2026\u201D \u20AC\u00E9");
    textRow("unicode skips its fallback", "{\\rtf1 \\u8220?quoted\\u8221?}", "\u201Cquoted\u201D");
    textRow("two fallback characters", "{\\rtf1\\uc2 \\u8364 EUx}", "\u20ACx");
    textRow("surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600");
    textRow("lone surrogate", "{\\rtf1 \\u-10179?x}", "\uFFFDx");
    textRow("named symbols",
            "{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote\\endash\\emdash\\bullet}",
            "\u2018\u2019\u201C\u201D\u2013\u2014\u2022");
    textRow("escapes", "{\\rtf1 \\{a\\}\\\\b}", "{a}\\b");
    textRow("paragraphs", "{\\rtf1 one\\par two\\par\r\n\\par three}", "one\ntwo\n\nthree");
    textRow("tab", "{\\rtf1 a\\tab b}", "a\tb");
    textRow("line breaks in the source are not text", "{\\rtf1 a\r\nb\nc}", "abc");
    textRow("unknown destination skipped", "{\\rtf1 a{\\*\\unknown hidden {\\b deeper}}b}", "ab");
    textRow("unknown word ignored", "{\\rtf1 a\\madeup12 b}", "ab");
    textRow("known destinations not shown",
            "{\\rtf1{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue0;}"
            "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}x}",
            "x");
    textRow("old bullet numbering skipped",
            "{\\rtf1{\\pn\\pnlvlblt{\\pntxtb\\'b7}}{\\pntext\\bullet\\tab}item}", "\u2022\titem");
    textRow("bullet text shown though starred", "{\\rtf1{\\*\\pntext\\bullet\\tab}item}",
            "\u2022\titem");
    textRow("binary data skipped", "{\\rtf1 a{\\*\\x\\bin3 {}}}b}", "ab");
    textRow("picture inside shppict kept, nonshppict skipped",
            "{\\rtf1 a{\\*\\shppict b}{\\nonshppict c}d}", "abd");
    textRow("field result shown, instruction not",
            "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link");
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
    QCOMPARE((QList<double>{first.leftMargin(), first.textIndent(), first.rightMargin(),
                            first.topMargin(), first.bottomMargin()}),
             (QList<double>{28, -14, 10, 6, 12}));
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

void TestRtfReader::picturesShownAtTheirGoalSize_data()
{
    const QByteArray png = pngBytes(QSize(20, 10));
    const QByteArray goal = "\\pngblip\\picwgoal600\\pichgoal300";
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<double>("dotsPerInch");
    QTest::addColumn<QSizeF>("shown"); // empty when no picture is shown

    QTest::newRow("goal size") << pictureGroup("\\picw20\\pich10" + goal, png) << 96.0
                               << QSizeF(40, 20);
    QTest::newRow("goal size at 192 dpi") << pictureGroup(goal, png) << 192.0 << QSizeF(80, 40);
    QTest::newRow("scaled") << pictureGroup(goal + "\\picscalex50", png) << 96.0 << QSizeF(20, 20);
    QTest::newRow("no goal: the picture's own size")
        << pictureGroup("\\pngblip", png) << 96.0 << QSizeF(20, 10);
    QTest::newRow("unknown group inside")
        << pictureGroup("{\\*\\blipuid 0123456789abcdef}" + goal, png) << 96.0 << QSizeF(40, 20);
    QTest::newRow("not a png") << pictureGroup("\\pngblip", "not a picture at all") << 96.0
                               << QSizeF();
    QTest::newRow("cut short") << pictureGroup("\\pngblip", png.left(png.size() / 2)) << 96.0
                               << QSizeF();
    QTest::newRow("metafile") << pictureGroup("\\wmetafile8", png) << 96.0 << QSizeF();
    // The size is read from the header before any pixel is decoded.
    QTest::newRow("wider than any page")
        << pictureGroup("\\pngblip", pngBytes(QSize(4097, 1))) << 96.0 << QSizeF();
    QTest::newRow("in a skipped destination")
        << "{\\*\\unknown" + pictureGroup("\\pngblip", png) + "}" << 96.0 << QSizeF();
}

void TestRtfReader::picturesShownAtTheirGoalSize()
{
    QFETCH(QByteArray, group);
    QFETCH(double, dotsPerInch);
    QFETCH(QSizeF, shown);
    const QTextDocument* document = readRtf("{\\rtf1 a" + group + "b}", this, dotsPerInch);
    const QList<QTextImageFormat> images = imagesOf(*document);
    QCOMPARE(document->toPlainText(),
             shown.isEmpty() ? "ab" : "a" + QString(QChar::ObjectReplacementCharacter) + "b");
    QCOMPARE(images.size(), shown.isEmpty() ? 0 : 1);
    if (images.isEmpty())
        return;
    QCOMPARE(QSizeF(images[0].width(), images[0].height()), shown);
    const QImage image =
        document->resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    QCOMPARE(image.size(), QSize(20, 10));
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::darkCyan));
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
    QCOMPARE(document.toPlainText(), "new");
}

void TestRtfReader::hostileInputIsSurvived_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    textRow("empty", "", "");
    textRow("not rtf", "plain words", "plain words");
    textRow("cut in a group", "{\\rtf1 {\\b bol", "bol");
    textRow("cut after backslash", "{\\rtf1 a\\", "a");
    textRow("cut in hex escape", "{\\rtf1 a\\'9", "a9");
    textRow("bad hex escape", "{\\rtf1 a\\'zzb}", "azzb");
    textRow("minus without digits", "{\\rtf1 a\\b-x}", "a-x");
    textRow("cut in picture", "{\\rtf1 a{\\pict\\pngblip 89504e47", "a");
    textRow("too many closing braces", "}}}{\\rtf1 x}}}}y", "xy");
    textRow("huge font size", "{\\rtf1\\fs99999999999999999999999 x}", "x");
    textRow("huge negative indent", "{\\rtf1\\li-99999999999999\\fi-99999999999 x\\par}", "x\n");
    textRow("huge binary length", "{\\rtf1 x\\bin99999999999 abc}", "x");
    textRow("huge fallback count", "{\\rtf1\\uc999999999 \\u8220 abc}", "\u201C");
    textRow("huge unicode", "{\\rtf1 \\u99999999999 ?x}", "\uFFFDx");
    textRow("very long word", "{\\rtf1 a\\" + QByteArray(100000, 'q') + " b}", "ab");
    textRow("moderate nesting keeps text", QByteArray(50, '{') + "\\b deep" + QByteArray(50, '}'),
            "deep");
    textRow("deep nesting, text after", QByteArray(200000, '{') + QByteArray(200000, '}') + "after",
            "after");
    textRow("control bytes",
            "{\\rtf1 a\x01\x02\x7f"
            "b}",
            QString("a") + QChar(0x7F) + "b");
    textRow("nul bytes", QByteArray("{\\rtf1 a\0b\\'00\\u0 ?c}", 21), "abc");
}

void TestRtfReader::hostileInputIsSurvived()
{
    QFETCH(QByteArray, rtf);
    const QTextDocument* document = readRtf(rtf, this);
    QTEST(document->toPlainText(), "text");
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        QVERIFY(block.blockFormat().leftMargin() < 2000);
    for (const QTextFragment& fragment : fragmentsOf(*document))
        QVERIFY(fragment.charFormat().fontPointSize() <= 400);
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
