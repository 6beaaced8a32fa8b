#include "help/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <algorithm>

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

QByteArray pictureGroup(const QByteArray& words, const QByteArray& data)
{
    QByteArray hex = data.toHex();
    // Writers break the hex into lines; the reader must not care.
    for (qsizetype at = 64; at < hex.size(); at += 65)
        hex.insert(at, '\n');
    return "{\\pict" + words + "\n" + hex + "}";
}

void textRow(const char* name, const QByteArray& rtf, const QString& text)
{
    QTest::newRow(name) << rtf << text;
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
    void picturesShownAtTheirGoalSize_data();
    void picturesShownAtTheirGoalSize();
    void hostileInputIsSurvived_data();
    void hostileInputIsSurvived();
};

void TestRtfReader::characterFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("vertical");
    const int normal = QTextCharFormat::AlignNormal;
    QTest::newRow("bold group") << QByteArray("{\\rtf1 x{\\b bold}y}") << "bold" << true << 12.0
                                << normal;
    QTest::newRow("group end restores")
        << QByteArray("{\\rtf1 x{\\b\\fs40 in}out}") << "out" << false << 12.0 << normal;
    QTest::newRow("superscript") << QByteArray("{\\rtf1\\b\\fs28 Corvane{\\super 1} config}") << "1"
                                 << true << 14.0 << int(QTextCharFormat::AlignSuperScript);
}

void TestRtfReader::characterFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const QTextDocument* document = readRtf(rtf, this);
    const QList<QTextFragment> fragments = fragmentsOf(*document);
    const auto found = std::find_if(fragments.begin(), fragments.end(),
                                    [&](const QTextFragment& f) { return f.text() == text; });
    QVERIFY2(found != fragments.end(), qPrintable(document->toPlainText()));
    const QTextCharFormat format = found->charFormat();
    QTEST(format.fontWeight() == QFont::Bold, "bold");
    QTEST(format.fontPointSize(), "points");
    QTEST(int(format.verticalAlignment()), "vertical");
}

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    textRow("windows-1252 bytes", "{\\rtf1 \\'93Browse\\'85\\'94 \\'80\\'e9}",
            "\u201CBrowse\u2026\u201D \u20AC\u00E9");
    textRow("unicode skips its fallback", "{\\rtf1 \\u8220?quoted\\u8221?}", "\u201Cquoted\u201D");
    textRow("surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600");
    textRow("escapes", "{\\rtf1 \\{a\\}\\\\b}", "{a}\\b");
    textRow("paragraphs", "{\\rtf1 one\\par two\\par\r\n\\par three}", "one\ntwo\n\nthree");
    textRow("unknown destination skipped", "{\\rtf1 a{\\*\\unknown hidden {\\b deeper}}b}", "ab");
    textRow("known destinations not shown",
            "{\\rtf1{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue0;}"
            "{\\info{\\title T}{\\author A}}x}",
            "x");
    textRow("binary data skipped", "{\\rtf1 a{\\*\\x\\bin3 {}}}b}", "ab");
    textRow("field result shown, instruction not",
            "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link");
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QTEST(readRtf(rtf, this)->toPlainText(), "text");
}

void TestRtfReader::picturesShownAtTheirGoalSize_data()
{
    const QByteArray png = pngBytes(QSize(20, 10));
    const QByteArray goal = "\\pngblip\\picwgoal600\\pichgoal300";
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<double>("dotsPerInch");
    QTest::addColumn<QSizeF>("shown"); // empty when no picture is shown
    QTest::newRow("goal size at 192 dpi") << pictureGroup(goal, png) << 192.0 << QSizeF(80, 40);
    QTest::newRow("no goal: the picture's own size")
        << pictureGroup("\\pngblip", png) << 96.0 << QSizeF(20, 10);
    QTest::newRow("cut short") << pictureGroup("\\pngblip", png.left(png.size() / 2)) << 96.0
                               << QSizeF();
    // The size is read from the header before any pixel is decoded.
    QTest::newRow("wider than any page")
        << pictureGroup("\\pngblip", pngBytes(QSize(4097, 1))) << 96.0 << QSizeF();
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
}

void TestRtfReader::hostileInputIsSurvived_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    textRow("not rtf", "plain words", "plain words");
    textRow("cut in a group", "{\\rtf1 {\\b bol", "bol");
    textRow("cut in hex escape", "{\\rtf1 a\\'9", "a9");
    textRow("cut in picture", "{\\rtf1 a{\\pict\\pngblip 89504e47", "a");
    textRow("too many closing braces", "}}}{\\rtf1 x}}}}y", "xy");
    textRow("huge font size", "{\\rtf1\\fs99999999999999999999999 x}", "x");
    textRow("huge negative indent", "{\\rtf1\\li-99999999999999\\fi-99999999999 x\\par}", "x\n");
    textRow("huge binary length", "{\\rtf1 x\\bin99999999999 abc}", "x");
    textRow("huge fallback count", "{\\rtf1\\uc999999999 \\u8220 abc}", "\u201C");
    textRow("deep nesting, text after", QByteArray(200000, '{') + QByteArray(200000, '}') + "after",
            "after");
    textRow("nul bytes", QByteArray("{\\rtf1 a\0b\\'00\\u0 ?c}", 21), "abc");
    // 4096 x 4096 pixels each: two fit the reader's budget, the third is dropped.
    const QByteArray big = pictureGroup("\\pngblip", pngBytes(QSize(4096, 4096)));
    textRow("pictures past the pixel budget", "{\\rtf1 " + big + big + big + "}",
            QString(2, QChar::ObjectReplacementCharacter));
}

void TestRtfReader::hostileInputIsSurvived()
{
    QFETCH(QByteArray, rtf);
    const QTextDocument* document = readRtf(rtf, this);
    QTEST(document->toPlainText(), "text");
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        QVERIFY(qAbs(block.blockFormat().leftMargin()) < 2000);
    for (const QTextFragment& fragment : fragmentsOf(*document))
        QVERIFY(fragment.charFormat().fontPointSize() <= 400);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
