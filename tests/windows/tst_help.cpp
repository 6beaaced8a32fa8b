#include "help/FrmHelp.h"
#include "support/ModalDriver.h"

#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void importHelpReadsAndLooksRight();
    void showIsModalAndStartsAfresh();
    void missingDocumentIsSaid();
};

namespace {

QTextBrowser* box(QWidget* window)
{
    return window->findChild<QTextBrowser*>("Rtb1");
}

// A paragraph's text with each superscript run written after a "^".
QString markedText(const QTextBlock& block)
{
    QString text;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript)
            text += u'^';
        text += fragment.text();
    }
    return text;
}

QString fontOf(const QTextCharFormat& format)
{
    QString font = QString("%1 %2pt")
                       .arg(format.fontFamilies().toStringList().value(0))
                       .arg(format.fontPointSize());
    return format.fontWeight() == QFont::Bold ? font + " bold" : font;
}

// A paragraph's look: bullet, left indent in pixels, and the fonts or picture it shows.
QString styleOf(const QTextBlock& block)
{
    QStringList parts;
    if (block.textList())
        parts << "bullet";
    parts << QString("indent %1").arg(block.blockFormat().leftMargin());
    if (block.begin().atEnd())
        parts << fontOf(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        const QTextImageFormat image = format.toImageFormat();
        const QString part = format.isImageFormat()
                                 ? QString("picture %1 x %2").arg(image.width()).arg(image.height())
                                 : fontOf(format);
        if (!parts.contains(part))
            parts << part;
    }
    return parts.join(", ");
}

// The picture the document holds under `name`, however far the box has decoded it.
QImage pictureOf(QTextDocument* document, const QString& name)
{
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    switch (resource.typeId()) {
    case QMetaType::QImage:
        return resource.value<QImage>();
    case QMetaType::QPixmap:
        return resource.value<QPixmap>().toImage();
    case QMetaType::QByteArray:
        return QImage::fromData(resource.toByteArray());
    default:
        return {};
    }
}

} // namespace

// The whole import help in order, gaps included: 10 pt body text indented 284 twips (19
// pixels), bold headings of 14 and 11 pt, bullets at 568 twips, an 8 pt footnote, and the
// picture of the directory selector at 469 x 305 pixels.
void TestHelp::importHelpReadsAndLooksRight()
{
    FrmHelp help;
    QVERIFY(help.LoadDocument(101));
    QTextDocument* document = box(&help)->document();
    QStringList texts;
    QStringList styles;
    QString pictureName;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        texts << markedText(block);
        styles << styleOf(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                pictureName = it.fragment().charFormat().toImageFormat().name();
        }
    }
    const QString picture(QChar::ObjectReplacementCharacter);
    QCOMPARE(texts, (QStringList{
                        "Import Corvane^1 config",
                        "",
                        "This import wizard reads in configuration files created with Corvane "
                        "Tarnwick^1 software.",
                        "",
                        "If [No sites found] is displayed, click the “Browse…” button and select "
                        "the Tarnwick config directory as shown:",
                        "",
                        picture,
                        "",
                        "Limitations",
                        "",
                        "The ZR415 follows the railway authority’s standard for the data file "
                        "format, which has certain limitations compared to the Corvane file "
                        "format:",
                        "Channel names are limited to 16 characters",
                        "Channel descriptions (eg. “Red road lights on”) are not supported",
                        "",
                        "Any channel names that are longer than 16 characters will be truncated "
                        "to 16 characters.",
                        "",
                        "1. All trademarks acknowledged as belonging to their respective owners",
                    }));
    const QString body = "indent 19, Tahoma 10pt";
    const QString bullet = "bullet, indent 38, Tahoma 10pt";
    QCOMPARE(styles,
             (QStringList{"indent 19, Tahoma 14pt bold", body, body, body, body, body,
                          "indent 19, picture 469 x 305", body, "indent 19, Tahoma 11pt bold", body,
                          body, bullet, bullet, body, body, body, "indent 19, Tahoma 8pt"}));
    QCOMPARE(pictureOf(document, pictureName).size(), QSize(469, 305));
}

// A second showing must not keep the text or the place the first one was left at.
void TestHelp::showIsModalAndStartsAfresh()
{
    FrmHelp help;
    QStringList texts;
    QList<int> cursors;
    QList<int> scrolls;
    int scrolledTo = 0;
    bool modal = false;
    const auto look = [&](QWidget* window) {
        QTextBrowser* rtb1 = box(window);
        texts << rtb1->toPlainText();
        cursors << rtb1->textCursor().position();
        scrolls << rtb1->verticalScrollBar()->value();
        modal = QApplication::activeModalWidget() == window;
        rtb1->moveCursor(QTextCursor::End);
        rtb1->textCursor().insertText("changed");
        rtb1->verticalScrollBar()->setValue(rtb1->verticalScrollBar()->maximum());
        scrolledTo = rtb1->verticalScrollBar()->value();
        window->close();
    };
    ModalDriver driver;
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(modal);
    QVERIFY(scrolledTo > 0);
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(driver.finished());
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith("Import Corvane1 config\n"));
    QCOMPARE(texts[1], texts[0]);
    QCOMPARE(cursors, (QList<int>{0, 0}));
    QCOMPARE(scrolls, (QList<int>{0, 0}));
}

void TestHelp::missingDocumentIsSaid()
{
    FrmHelp help;
    QVERIFY(!help.LoadDocument(7));
    QCOMPARE(box(&help)->toPlainText(), "Help document 7 is not available.");
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
