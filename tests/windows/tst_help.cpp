#include "help/FrmHelp.h"
#include "support/ModalDriver.h"

#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void showHelpOpensModalWithThePictureAndStartsAfresh();
};

namespace {

// The size of the first picture shown, however far the box has decoded it.
QSize pictureSize(QTextDocument* document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QVariant resource = document->resource(QTextDocument::ImageResource,
                                                         QUrl(format.toImageFormat().name()));
            if (resource.typeId() == QMetaType::QImage)
                return resource.value<QImage>().size();
            if (resource.typeId() == QMetaType::QPixmap)
                return resource.value<QPixmap>().size();
            return QImage::fromData(resource.toByteArray()).size();
        }
    }
    return {};
}

} // namespace

// A second showing must not keep the text or the place the first one was left at.
void TestHelp::showHelpOpensModalWithThePictureAndStartsAfresh()
{
    FrmHelp help;
    QStringList texts;
    QList<int> scrolls;
    QSize picture;
    int scrolledTo = 0;
    bool modal = false;
    const auto look = [&](QWidget* window) {
        auto* box = window->findChild<QTextBrowser*>("Rtb1");
        texts << box->toPlainText();
        scrolls << box->verticalScrollBar()->value();
        modal = QApplication::activeModalWidget() == window;
        picture = pictureSize(box->document());
        box->moveCursor(QTextCursor::End);
        box->textCursor().insertText("changed");
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        scrolledTo = box->verticalScrollBar()->value();
        window->close();
    };
    ModalDriver driver;
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(modal);
    QCOMPARE(picture, QSize(469, 305));
    QVERIFY(scrolledTo > 0);
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(driver.finished());
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith("Import Corvane1 config\n"));
    QCOMPARE(texts[1], texts[0]);
    QCOMPARE(scrolls, (QList<int>{0, 0}));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
