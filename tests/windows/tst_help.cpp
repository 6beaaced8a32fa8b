#include "../support/ModalDriver.h"
#include "windows/FrmHelp.h"

#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <cmath>
#include <optional>

namespace {

QTextBrowser* box(QWidget* window)
{
    return window->findChild<QTextBrowser*>("Rtb1");
}

std::optional<QTextFragment> fragment(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text() == text)
                return it.fragment();
        }
    }
    return std::nullopt;
}

struct Shown
{
    QString title;
    QString text;
    int scroll = -1;
    int cursor = -1;
    bool modal = false;
};

// Shows the help and notes what the window shows, then lets `whileShown` act on it.
Shown showAndClose(FrmHelp& help, int number, const std::function<void(QWidget*)>& whileShown = {})
{
    Shown shown;
    ModalDriver driver;
    driver.when("FrmHelp", [&](QWidget* window) {
        shown.title = window->windowTitle();
        shown.text = box(window)->toPlainText();
        shown.scroll = box(window)->verticalScrollBar()->value();
        shown.cursor = box(window)->textCursor().position();
        shown.modal = QApplication::activeModalWidget() == window;
        if (whileShown)
            whileShown(window);
        window->close();
    });
    help.ShowHelp(number);
    if (!driver.finished())
        shown.title = QStringLiteral("(not shown)");
    return shown;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void documentHoldsTheImportHelp();
    void showIsModalAndStartsAfresh();
    void missingDocumentIsSaid();
};

// A line for each way the document writes its text; the count shows that no line is lost.
void TestHelp::documentHoldsTheImportHelp()
{
    FrmHelp help;
    QVERIFY(help.LoadDocument(101));
    const QTextDocument& document = *box(&help)->document();
    QCOMPARE(document.blockCount(), 18);
    const auto line = [&](int number) { return document.findBlockByNumber(number).text(); };
    QCOMPARE(line(0), "Import Corvane1 config");
    QCOMPARE(line(4), QString::fromUtf8("If [No sites found] is displayed, click the "
                                        "\u201CBrowse\u2026\u201D button and select the "
                                        "Tarnwick config directory as shown:"));
    QCOMPARE(line(6), QString(QChar::ObjectReplacementCharacter));
    QCOMPARE(line(10), QString::fromUtf8("The ZR415 follows the railway authority\u2019s standard "
                                         "for the data file format, which has certain limitations "
                                         "compared to the Corvane file format:"));
    QCOMPARE(line(12), QString::fromUtf8("\u2022\tChannel descriptions (eg. \u201CRed road lights "
                                         "on\u201D) are not supported"));
    QCOMPARE(line(16), "1. All trademarks acknowledged as belonging to their respective owners");
    // The heading's mark and the body, both at the body's indent of 284 twips.
    const QScreen* screen = help.screen();
    const std::optional<QTextFragment> mark = fragment(document, "1");
    QVERIFY(mark);
    QCOMPARE(mark->charFormat().fontWeight(), QFont::Bold);
    QCOMPARE(mark->charFormat().fontPointSize(), 14.0);
    QCOMPARE(mark->charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const std::optional<QTextFragment> body =
        fragment(document, "This import wizard reads in configuration files created with "
                           "Corvane Tarnwick");
    QVERIFY(body);
    QCOMPARE(body->charFormat().fontPointSize(), 10.0);
    QCOMPARE(body->charFormat().fontFamilies().toStringList(), QStringList{"Tahoma"});
    QCOMPARE(std::lround(document.findBlock(body->position()).blockFormat().leftMargin()),
             std::lround(284 * screen->logicalDotsPerInchX() / 1440));
    // The picture of the directory selector, at its goal size on this screen.
    const QTextCharFormat picture = document.findBlockByNumber(6).begin().fragment().charFormat();
    QVERIFY(picture.isImageFormat());
    const QTextImageFormat image = picture.toImageFormat();
    QCOMPARE(std::lround(image.width()), std::lround(7035 * screen->logicalDotsPerInchX() / 1440));
    QCOMPARE(std::lround(image.height()), std::lround(4575 * screen->logicalDotsPerInchY() / 1440));
    const QVariant pixels = document.resource(QTextDocument::ImageResource, QUrl(image.name()));
    QCOMPARE(pixels.value<QImage>().size(), QSize(469, 305));
}

void TestHelp::showIsModalAndStartsAfresh()
{
    FrmHelp help;
    const Shown first = showAndClose(help, 101, [](QWidget* window) {
        QTextBrowser* rtb1 = box(window);
        rtb1->moveCursor(QTextCursor::End);
        rtb1->verticalScrollBar()->setValue(rtb1->verticalScrollBar()->maximum());
        rtb1->setPlainText("changed");
    });
    QCOMPARE(first.title, "Help");
    QVERIFY(first.modal);
    QVERIFY(first.text.startsWith("Import Corvane1 config\n"));
    QVERIFY(!help.isVisible());
    const Shown second = showAndClose(help, 101);
    QCOMPARE(second.title, "Help");
    QCOMPARE(second.text, first.text);
    QCOMPARE(second.scroll, 0);
    QCOMPARE(second.cursor, 0);
}

void TestHelp::missingDocumentIsSaid()
{
    FrmHelp help;
    QVERIFY(!help.LoadDocument(7));
    QCOMPARE(box(&help)->toPlainText(), "Help document 7 is not available.");
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
