#include "help/FrmHelp.h"
#include "support/ModalDriver.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void showIsModalAndStartsAfresh();
    void missingDocumentIsSaid();
};

// A second showing must not keep the text or the place the first one was left at.
void TestHelp::showIsModalAndStartsAfresh()
{
    FrmHelp help;
    QStringList texts;
    QList<int> cursors;
    bool modal = false;
    const auto look = [&](QWidget* window) {
        auto* box = window->findChild<QTextBrowser*>("Rtb1");
        texts << box->toPlainText();
        cursors << box->textCursor().position();
        modal = QApplication::activeModalWidget() == window;
        box->moveCursor(QTextCursor::End);
        box->setPlainText("changed");
        window->close();
    };
    ModalDriver driver;
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(modal);
    driver.when("FrmHelp", look);
    help.ShowHelp(101);
    QVERIFY(driver.finished());
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith("Import Corvane1 config\n"));
    QCOMPARE(texts[1], texts[0]);
    QCOMPARE(cursors, (QList<int>{0, 0}));
}

void TestHelp::missingDocumentIsSaid()
{
    FrmHelp help;
    QVERIFY(!help.LoadDocument(7));
    QCOMPARE(help.findChild<QTextBrowser*>("Rtb1")->toPlainText(),
             "Help document 7 is not available.");
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
