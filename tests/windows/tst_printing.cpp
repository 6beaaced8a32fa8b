// Printing as a user prints: the File menu by its keys, Ctrl+P, the label sheet setup by its
// fields, the printer dialog replaced by one that prints to a file. The pages are read back
// with poppler's pdftotext.
#include "support/DipBytes.h"
#include "support/PdfPages.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/FrmLabelSheet.h"
#include "windows/LabelSheetSettings.h"
#include "windows/SitePrinting.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace {

// Runs `step` on the modal window of the given kind once it shows, from inside its own loop.
template <typename Window>
void whenShown(std::function<void(Window*)> step)
{
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) {
                timer->stop();
                timer->deleteLater();
                step(window);
                return;
            }
        }
    });
    timer->start();
}

// Replaces the field's text as a user does: select all, type.
void type(QAbstractSpinBox* box, const QString& text)
{
    box->setFocus();
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keyClicks(box, text);
}

} // namespace

class TestPrinting : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareApplication();
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
    }
    void init() { QVERIFY(openWindow()); }
    void cleanup()
    {
        verifyScriptUsed();
        closeWindow();
    }

    void recordByItsKeys_data();
    void recordByItsKeys();
    void cancelStopsThePages_data();
    void cancelStopsThePages();
    void previewShowsEveryPage();
    void labelsFollowTheSheetSetUp_data();
    void labelsFollowTheSheetSetUp();
    void alterationsWhileComparing();

private:
    void openSite(int units);
    // Prints by the menu's key: to the PDF instead of a printer, or to the file chosen.
    void printByKey(bool printer, const QString& pdf, const std::function<void()>& keys);
};

void TestPrinting::openSite(int units)
{
    QList<DipChannel> channels;
    for (int c = 1; c <= units * 384; ++c)
        channels.append({"TPR " + QByteArray::number(c), c % 4 == 0});
    const QString name = path(QString("site%1.dip").arg(units));
    writeFile(name, dipBytes(channels));
    openByKeys(name);
    dialogs->clear();
}

void TestPrinting::printByKey(bool printer, const QString& pdf, const std::function<void()>& keys)
{
    if (printer) {
        partOf<SitePrinting>(*window).setPrinterChooser([pdf](QPrinter& chosen) {
            chosen.setOutputFormat(QPrinter::PdfFormat);
            chosen.setOutputFileName(pdf);
            return true;
        });
    } else {
        dialogs->chooseNext(pdf);
    }
    keys();
}

void TestPrinting::recordByItsKeys_data()
{
    QTest::addColumn<bool>("printer");
    QTest::newRow("Print by Ctrl+P") << true;
    QTest::newRow("Export PDF") << false;
}

// A name typed but not yet entered is on the record: printing ends the edit first.
void TestPrinting::recordByItsKeys()
{
    QFETCH(bool, printer);
    openSite(1);
    grid()->setCurrentIndex(cell(1, 1));
    typeKeys("XR 2");
    printByKey(printer, path("record.pdf"), [&] {
        if (printer)
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Print);
        else
            fileMenu(Qt::Key_F);
    });
    const QStringList pages = PdfPages::texts(path("record.pdf"));
    QCOMPARE(pages.size(), 9);
    QVERIFY(pages[0].contains("Channels on back contacts: 96"));
    QVERIFY(pages[1].simplified().contains("AA02 XR 2 Front UP DN"));
    QVERIFY(pages[8].contains("Page 9 of 9"));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPrinting::cancelStopsThePages_data()
{
    recordByItsKeys_data();
}

// Cancel of the progress stops the pages: nothing reaches the file or the printer.
void TestPrinting::cancelStopsThePages()
{
    QFETCH(bool, printer);
    openSite(8);
    int pagesShown = 0;
    whenShown<QProgressDialog>([&](QProgressDialog* progress) {
        pagesShown = progress->maximum();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    printByKey(printer, path("cancelled.pdf"), [&] {
        if (printer)
            QTest::keySequence(grid(), QKeySequence::Print);
        else
            fileMenu(Qt::Key_F);
    });
    QCOMPARE(pagesShown, 65);
    QVERIFY(!QFile::exists(path("cancelled.pdf")));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPrinting::previewShowsEveryPage()
{
    openSite(2);
    int pages = 0;
    whenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        preview->reject();
    });
    fileMenu(Qt::Key_W);
    QCOMPARE(pages, 17);
}

void TestPrinting::labelsFollowTheSheetSetUp_data()
{
    QTest::addColumn<bool>("printer");
    QTest::newRow("Print labels") << true;
    QTest::newRow("Export labels PDF") << false;
}

// Two columns of five labels set up by the fields, the first sheet used up to its third label:
// 96 labels of one unit on ten sheets, eight on the first.
void TestPrinting::labelsFollowTheSheetSetUp()
{
    QFETCH(bool, printer);
    openSite(1);
    whenShown<FrmLabelSheet>([](FrmLabelSheet* setup) {
        type(setup->findChild<QSpinBox*>("SpnColumns"), "2");
        type(setup->findChild<QSpinBox*>("SpnRows"), "5");
        QTest::mouseClick(setup->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    fileMenu(Qt::Key_H);
    QCOMPARE(LabelSheetSettings::Load().columns, 2);
    QCOMPARE(LabelSheetSettings::Load().rows, 5);
    whenShown<QInputDialog>([](QInputDialog* start) {
        QCOMPARE(start->intMaximum(), 10);
        type(start->findChild<QSpinBox*>(), "3");
        QTest::keyClick(start, Qt::Key_Return);
    });
    printByKey(printer, path("labels.pdf"), [&] { fileMenu(printer ? Qt::Key_B : Qt::Key_L); });
    const QStringList pages = PdfPages::texts(path("labels.pdf"));
    QCOMPARE(pages.size(), 10);
    QVERIFY(pages[0].contains("AA32 TPR 32"));
    QVERIFY(!pages[0].contains("AA33"));
    QVERIFY(pages[9].contains("AH48 TPR 384"));
}

// Compared with an older copy: the issue text of Print setup on the record; the alteration
// record to a PDF and to the printer holds the two changes, old then new; the labels of the
// two changed channels only.
void TestPrinting::alterationsWhileComparing()
{
    openSite(1);
    QList<DipChannel> older;
    for (int c = 1; c <= 384; ++c)
        older.append({c == 2 ? "TPR 2X" : "TPR " + QByteArray::number(c), c % 4 == 0 && c != 8});
    writeFile(path("older.dip"), dipBytes(older));
    dialogs->chooseNext(path("older.dip"));
    fileMenu(Qt::Key_C);
    whenShown<QInputDialog>([](QInputDialog* setup) {
        QTest::keyClicks(setup->findChild<QLineEdit*>(), "Issue B");
        QTest::keyClick(setup, Qt::Key_Return);
    });
    fileMenu(Qt::Key_U);
    printByKey(false, path("record.pdf"), [&] { fileMenu(Qt::Key_F); });
    QVERIFY(PdfPages::texts(path("record.pdf")).first().contains("Issue: Issue B"));
    for (const bool printer : {false, true}) {
        printByKey(printer, path("altered.pdf"),
                   [&] { fileMenu(printer ? Qt::Key_G : Qt::Key_K); });
        const QString text = PdfPages::texts(path("altered.pdf")).join("").simplified();
        QVERIFY2(text.contains("AA02 Relay name TPR 2X -> TPR 2 AA08 Back contact Front -> Back"),
                 qPrintable(text));
        QVERIFY(text.contains("Channels changed: 2"));
    }
    whenShown<QInputDialog>([](QInputDialog* start) { QTest::keyClick(start, Qt::Key_Return); });
    printByKey(true, path("changed.pdf"), [&] { fileMenu(Qt::Key_Y); });
    const QString labels = PdfPages::texts(path("changed.pdf")).join("");
    QVERIFY(labels.contains("AA01") && labels.contains("AA08 TPR 8"));
    QVERIFY(!labels.contains("AA09") && !labels.contains("AA12"));
    QCOMPARE(dialogs->texts(), QStringList());
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
