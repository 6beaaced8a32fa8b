// What the printed pages show beyond their text, which the golden cases of zr415-convert read
// (tests/data/convert/print-*): the first pages drawn.
#include "support/PdfPages.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPrintPdf : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils (pdftoppm) is not installed");
    }

    void firstPagesAreDrawn_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("site record") << QStringList{};
        QTest::newRow("label sheet") << QStringList{"--label-sheet"};
    }

    // A4 at 30 dots per inch, with ink on it but far from all ink.
    void firstPagesAreDrawn()
    {
        QFETCH(QStringList, options);
        const QString pdf = dir.filePath("drawn.pdf");
        QProcess convert;
        convert.start(
            ZR415_CONVERT_EXE,
            QStringList{ZR415_TEST_DATA "/convert/print-site-record/files/north.dip"} + options
                << pdf);
        QVERIFY(convert.waitForFinished(60000) && convert.exitCode() == 0);
        const QImage page = PdfPages::picture(pdf, 1, 30);
        QVERIFY(qAbs(page.width() - 248) <= 1 && qAbs(page.height() - 351) <= 1);
        const double ink = PdfPages::inkShare(page);
        QVERIFY2(ink > 0.003 && ink < 0.3, qPrintable(QString::number(ink)));
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
