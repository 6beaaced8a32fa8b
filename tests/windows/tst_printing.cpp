// Printing as a user prints: the File menu by its keys, Ctrl+P, the label sheet setup by its
// fields, the file dialogs answered by the script and the printer one that prints to a file.
// The pages are read back with poppler's pdftotext.
#include "commands/DocumentCommands.h"
#include "common/ChannelLabel.h"
#include "support/DipBytes.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"
#include "windows/FrmLabelSheet.h"
#include "windows/LabelSheetSettings.h"
#include "windows/ModGlobal.h"
#include "windows/SitePrinting.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QByteArray siteFile(int units)
{
    QList<DipChannel> channels;
    for (int c = 1; c <= units * 384; ++c)
        channels.append({"TPR " + QByteArray::number(c), c % 4 == 0});
    return dipBytes(channels);
}

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
    void initTestCase();
    void init();
    void cleanup();

    void exportPdfTakesWhatTheGridShows();
    void cancelStopsThePages_data();
    void cancelStopsThePages();
    void ctrlPPrintsTheRecord();
    void previewShowsEveryPage();
    void labelsFollowTheSheetSetUp();
    void setupOffersOkOnlyForLabelsOnTheSheet();
    void storedStockOffTheSheetIsReported();

private:
    QString path(const QString& name) const { return dir->filePath(name); }
    void openSite(int units);
    // Prints to this PDF instead of asking for a printer.
    void printTo(const QString& pdf);

    std::unique_ptr<QTemporaryDir> dir;
};

void TestPrinting::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("poppler-utils (pdftotext) is not installed");
}

void TestPrinting::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(openWindow());
}

void TestPrinting::cleanup()
{
    verifyScriptUsed();
    closeWindow();
    dir.reset();
}

void TestPrinting::openSite(int units)
{
    const QString name = path(QString("site%1.dip").arg(units));
    writeFile(name, siteFile(units));
    openByKeys(name);
    dialogs->clear();
}

void TestPrinting::printTo(const QString& pdf)
{
    window->printing().setPrinterChooser([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
}

// A name typed but not yet entered is on the record: the export ends the edit first.
void TestPrinting::exportPdfTakesWhatTheGridShows()
{
    openSite(8);
    grid()->setCurrentIndex(cell(1, 1));
    typeKeys("XR 2"); // the first key opens the cell's editor
    dialogs->chooseNext(path("record.pdf"));
    fileMenu(Qt::Key_F);
    QCOMPARE(dialogs->fileRequests().size(), 1);
    QCOMPARE(dialogs->fileRequests()[0].title, "Export PDF");
    QCOMPARE(dialogs->fileRequests()[0].fileName, "site8.pdf");
    QCOMPARE(dialogs->fileRequests()[0].defaultSuffix, "pdf");
    const QStringList pages = PdfPages::texts(path("record.pdf"));
    QCOMPARE(pages.size(), 65);
    QVERIFY(pages[1].simplified().contains("AA02 XR 2 Front UP DN"));
    QVERIFY(pages[64].simplified().contains("HH48 TPR 3072 Back UP DN"));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPrinting::cancelStopsThePages_data()
{
    QTest::addColumn<bool>("print");
    QTest::newRow("Export PDF") << false;
    QTest::newRow("Print") << true;
}

// The progress shows over the window; Cancel stops the pages and nothing reaches the file or
// the printer.
void TestPrinting::cancelStopsThePages()
{
    QFETCH(bool, print);
    openSite(8);
    int pagesShown = 0;
    whenShown<QProgressDialog>([&](QProgressDialog* progress) {
        pagesShown = progress->maximum();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    if (print) {
        printTo(path("cancelled.pdf"));
        QTest::keySequence(grid(), QKeySequence::Print);
    } else {
        dialogs->chooseNext(path("cancelled.pdf"));
        fileMenu(Qt::Key_F);
    }
    QCOMPARE(pagesShown, 65);
    QVERIFY(!QFile::exists(path("cancelled.pdf")));
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPrinting::ctrlPPrintsTheRecord()
{
    openSite(1);
    printTo(path("printed.pdf"));
    QTest::keySequence(grid(), QKeySequence::Print);
    const QStringList pages = PdfPages::texts(path("printed.pdf"));
    QCOMPARE(pages.size(), 9);
    QVERIFY(pages[0].contains("Channels on back contacts: 96"));
    QVERIFY(pages[8].contains("Page 9 of 9"));
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

// Two columns of five labels: 96 labels of one unit on ten sheets, the setup kept.
void TestPrinting::labelsFollowTheSheetSetUp()
{
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
    printTo(path("labels.pdf"));
    fileMenu(Qt::Key_B);
    const QStringList pages = PdfPages::texts(path("labels.pdf"));
    QCOMPARE(pages.size(), 10);
    QVERIFY(pages[0].contains("AA40 TPR 40"));
    QVERIFY(!pages[0].contains("AA41"));
    QVERIFY(pages[9].contains("AH48 TPR 384"));
}

void TestPrinting::setupOffersOkOnlyForLabelsOnTheSheet()
{
    bool okForWide = true;
    QString problem;
    bool okAgain = false;
    whenShown<FrmLabelSheet>([&](FrmLabelSheet* setup) {
        QPushButton* ok = setup->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        type(setup->findChild<QDoubleSpinBox*>("SpnLabelWidth"), "80");
        okForWide = ok->isEnabled();
        problem = setup->findChild<QLabel*>("LblProblem")->text();
        type(setup->findChild<QDoubleSpinBox*>("SpnLabelWidth"), "60");
        okAgain = ok->isEnabled();
        setup->reject();
    });
    fileMenu(Qt::Key_H);
    QVERIFY(!okForWide);
    QVERIFY2(problem.contains("beyond the 210.0 x 297.0 mm sheet"), qPrintable(problem));
    QVERIFY(okAgain);
    // Cancelled: the stock stays as it was.
    QCOMPARE(LabelSheetSettings::Load(), LabelSheetGrid());
}

void TestPrinting::storedStockOffTheSheetIsReported()
{
    LabelSheetGrid wide;
    wide.labelWidth = 100;
    LabelSheetSettings::Save(wide);
    bool asked = false;
    window->printing().setPrinterChooser([&](QPrinter&) { return asked = true; });
    fileMenu(Qt::Key_B);
    QVERIFY(!asked);
    QCOMPARE(dialogs->messages().size(), 1);
    QVERIFY(dialogs->messages()[0].text.startsWith(
        "The labels cannot be printed on this label stock:\r\nThe labels reach"));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
