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
    return window->findChild<QTextBrowser*>(QStringLiteral("Rtb1"));
}

QStringList blockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
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
    void documentFormats_data();
    void documentFormats();
    void pictureIsTheDirectorySelector();
    void showIsModalAndStartsAfresh();
    void missingDocumentIsSaid();
};

void TestHelp::documentHoldsTheImportHelp()
{
    FrmHelp help;
    QVERIFY(help.LoadDocument(101));
    const QStringList expected = {
        "Import Corvane1 config",
        "",
        "This import wizard reads in configuration files created with Corvane Tarnwick1 "
        "software.",
        "",
        QString::fromUtf8("If [No sites found] is displayed, click the \u201CBrowse\u2026\u201D "
                          "button and select the Tarnwick config directory as shown:"),
        "",
        QString(QChar::ObjectReplacementCharacter),
        "",
        "Limitations",
        "",
        QString::fromUtf8("The ZR415 follows the railway authority\u2019s standard for the data "
                          "file format, which has certain limitations compared to the "
                          "Corvane file format:"),
        QString::fromUtf8("\u2022\tChannel names are limited to 16 characters"),
        QString::fromUtf8("\u2022\tChannel descriptions (eg. \u201CRed road lights on\u201D) are "
                          "not supported"),
        "",
        "Any channel names that are longer than 16 characters will be truncated to 16 "
        "characters.",
        "",
        "1. All trademarks acknowledged as belonging to their respective owners",
        "",
    };
    QCOMPARE(blockTexts(*box(&help)->document()), expected);
}

void TestHelp::documentFormats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("vertical");

    const int normal = QTextCharFormat::AlignNormal;
    QTest::newRow("heading") << "Import Corvane" << true << 14.0 << normal;
    QTest::newRow("heading mark") << "1" << true << 14.0 << int(QTextCharFormat::AlignSuperScript);
    QTest::newRow("heading end") << " config" << true << 14.0 << normal;
    QTest::newRow("body") << "This import wizard reads in configuration files created with "
                             "Corvane Tarnwick"
                          << false << 10.0 << normal;
    QTest::newRow("second heading") << "Limitations" << true << 11.0 << normal;
    QTest::newRow("footnote")
        << "1. All trademarks acknowledged as belonging to their respective owners" << false << 8.0
        << normal;
}

void TestHelp::documentFormats()
{
    QFETCH(QString, text);
    FrmHelp help;
    QVERIFY(help.LoadDocument(101));
    const std::optional<QTextFragment> found = fragment(*box(&help)->document(), text);
    QVERIFY(found);
    const QTextCharFormat format = found->charFormat();
    QTEST(format.fontWeight() == QFont::Bold, "bold");
    QTEST(format.fontPointSize(), "points");
    QTEST(int(format.verticalAlignment()), "vertical");
    QCOMPARE(format.fontFamilies().toStringList(), QStringList{"Tahoma"});
    // Everything sits at the body's indent of 284 twips.
    const QTextBlock block = box(&help)->document()->findBlock(found->position());
    QCOMPARE(std::lround(block.blockFormat().leftMargin()),
             std::lround(284 * help.screen()->logicalDotsPerInchX() / 1440));
}

void TestHelp::pictureIsTheDirectorySelector()
{
    FrmHelp help;
    QVERIFY(help.LoadDocument(101));
    const QTextDocument& document = *box(&help)->document();
    const std::optional<QTextFragment> picture =
        fragment(document, QString(QChar::ObjectReplacementCharacter));
    QVERIFY(picture);
    QVERIFY(picture->charFormat().isImageFormat());
    const QTextImageFormat format = picture->charFormat().toImageFormat();
    QCOMPARE(std::lround(format.width()),
             std::lround(7035 * help.screen()->logicalDotsPerInchX() / 1440));
    QCOMPARE(std::lround(format.height()),
             std::lround(4575 * help.screen()->logicalDotsPerInchY() / 1440));
    const QImage image =
        document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(image.size(), QSize(469, 305));
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
    QCOMPARE(first.title, QStringLiteral("Help"));
    QVERIFY(first.modal);
    QVERIFY(first.text.startsWith("Import Corvane1 config\n"));
    QVERIFY(!help.isVisible());
    const Shown second = showAndClose(help, 101);
    QCOMPARE(second.title, QStringLiteral("Help"));
    QCOMPARE(second.text, first.text);
    QCOMPARE(second.scroll, 0);
    QCOMPARE(second.cursor, 0);
}

void TestHelp::missingDocumentIsSaid()
{
    FrmHelp help;
    QVERIFY(!help.LoadDocument(7));
    QCOMPARE(box(&help)->toPlainText(), QStringLiteral("Help document 7 is not available."));
    const Shown shown = showAndClose(help, 7);
    QCOMPARE(shown.title, QStringLiteral("Help"));
    QCOMPARE(shown.text, QStringLiteral("Help document 7 is not available."));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
