// The site record and the label sheet as zr415-convert writes them, read back with poppler's
// pdftotext and pdftoppm. The sites are channel files built byte by byte from their layout.
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"
#include "support/DipBytes.h"
#include "support/PdfPages.h"
#include "support/SiteDump.h"
#include "support/TestFiles.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Channel
{
    QString label;
    QString name;
    bool back = false;
};

// Track, signal and point relays numbered after the channel; one in eight spare, back contacts
// at every third and every seventh channel.
QList<Channel> siteOf(int units)
{
    static const char* kinds[] = {"TPR", "HR", "DR", "NWKR", "ECR"};
    QList<Channel> channels;
    for (int c = 1; c <= units * 384; ++c) {
        const QString name = c % 8 == 0 ? "Spare " + LabelOf(c)
                                        : QString("%1 %2").arg(kinds[c % 5]).arg(c * 7 % 1000);
        channels.append({LabelOf(c), name, c % 3 == 0 || c % 7 == 0});
    }
    return channels;
}

QByteArray dipFile(const QList<Channel>& channels)
{
    QList<DipChannel> records;
    for (const Channel& channel : channels)
        records.append({channel.name.toLatin1(), channel.back});
    return dipBytes(records);
}

int runConvert(const QStringList& arguments)
{
    QProcess convert;
    convert.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    convert.start(ZR415_CONVERT_EXE, arguments);
    return convert.waitForFinished(60000) ? convert.exitCode() : -1;
}

// The line of the record's table that starts with the label.
QString tableLine(const QString& page, const QString& label)
{
    const QRegularExpression line("^" + label + " .*$", QRegularExpression::MultilineOption);
    return line.match(page).captured(0).simplified();
}

QString expectedLine(const Channel& channel)
{
    return QString("%1 %2 %3 UP DN")
        .arg(channel.label, channel.name, channel.back ? "Back" : "Front");
}

// Every channel of the label sheet's text, as "label|name|mark", page by page.
QList<QStringList> labelsByPage(const QStringList& pages)
{
    // A label, its name (words with single spaces) and, further right, "B" for a back contact.
    static const QRegularExpression channel(
        R"(([A-H][A-H]\d\d) (\S+(?: \S+)*?)(?: {2,}(B))?(?= {2,}|$))",
        QRegularExpression::MultilineOption);
    QList<QStringList> result;
    for (const QString& page : pages) {
        QStringList found;
        for (const QString& line : page.split(u'\n')) {
            auto it = channel.globalMatch(line.trimmed());
            while (it.hasNext()) {
                const QRegularExpressionMatch m = it.next();
                found << m.captured(1) + "|" + m.captured(2) + "|" + m.captured(3);
            }
        }
        result << found;
    }
    return result;
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void siteRecord_data();
    void siteRecord();
    void labelSheet_data();
    void labelSheet();
    void firstPagesAreDrawn_data();
    void firstPagesAreDrawn();
    void letterPaperKeepsACardAPage();
    void cancelledPdfLeavesTheOldFile();
    void failedWriteSaysWhy();
    void labelSheetTakesOneMode();

private:
    // The PDF of the site written by zr415-convert with the arguments after INPUT.
    QString written(int units, const QStringList& output);

    QTemporaryDir dir;
};

void TestPrintPdf::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("poppler-utils (pdftotext, pdftoppm) is not installed");
    QVERIFY(dir.isValid());
}

QString TestPrintPdf::written(int units, const QStringList& output)
{
    const QString input = dir.filePath(QString("site%1.dip").arg(units));
    writeFile(input, dipFile(siteOf(units)));
    const QString pdf = dir.filePath(output.last());
    [&] {
        QCOMPARE(runConvert(QStringList{input} + output.mid(0, output.size() - 1) << pdf), 0);
    }();
    return pdf;
}

void TestPrintPdf::siteRecord_data()
{
    QTest::addColumn<int>("units");
    QTest::newRow("one unit") << 1;
    QTest::newRow("eight units") << 8;
}

void TestPrintPdf::labelSheet_data()
{
    siteRecord_data();
}

// Headed and footed on every page; the totals first; then each card with its first and last
// channel, after its unit's heading.
void TestPrintPdf::siteRecord()
{
    QFETCH(int, units);
    const QList<Channel> site = siteOf(units);
    const QStringList pages = PdfPages::texts(written(units, {"record.pdf"}));
    QCOMPARE(pages.size(), 1 + 8 * units);
    const QString heading =
        QString("site%1 site%1.dip %2").arg(units).arg(QDate::currentDate().toString(Qt::ISODate));
    for (int p = 0; p < pages.size(); ++p) {
        QCOMPARE(pages[p].trimmed().section(u'\n', 0, 0).simplified(), heading);
        QCOMPARE(pages[p].trimmed().section(u'\n', -1).simplified(),
                 QString("Page %1 of %2").arg(p + 1).arg(pages.size()));
    }
    const int inUse = int(std::count_if(
        site.begin(), site.end(), [](const Channel& c) { return !c.name.startsWith("Spare"); }));
    const int back =
        int(std::count_if(site.begin(), site.end(), [](const Channel& c) { return c.back; }));
    QVERIFY(pages[0].contains(QString("Units: %1 (%2 channels)").arg(units).arg(units * 384)));
    QVERIFY(pages[0].contains(QString("Channels in use: %1").arg(inUse)));
    QVERIFY(pages[0].contains(QString("Channels on back contacts: %1").arg(back)));
    for (int card = 0; card < 8 * units; ++card) {
        const Channel& first = site[card * 48];
        const Channel& last = site[card * 48 + 47];
        const QString& page = pages[card + 1];
        const qsizetype title =
            page.indexOf(QString("Card %1: channels %2 to %3")
                             .arg(first.label.left(2), first.label, last.label));
        QVERIFY2(title > 0, qPrintable(first.label));
        const qsizetype unit = page.indexOf("Unit " + first.label.left(1));
        QCOMPARE(unit >= 0 && unit < title, card % 8 == 0);
        QCOMPARE(tableLine(page, first.label), expectedLine(first));
        QCOMPARE(tableLine(page, last.label), expectedLine(last));
    }
}

// Every channel once, in order, 21 labels of four channels a sheet, "B" on back contacts only.
void TestPrintPdf::labelSheet()
{
    QFETCH(int, units);
    const QList<Channel> site = siteOf(units);
    const QStringList pages = PdfPages::texts(written(units, {"--label-sheet", "labels.pdf"}));
    const int labels = units * 96;
    QCOMPARE(pages.size(), (labels + 20) / 21);
    const QList<QStringList> found = labelsByPage(pages);
    int next = 0;
    for (int p = 0; p < found.size(); ++p) {
        QStringList expected;
        for (int c = p * 84; c < std::min<int>(site.size(), (p + 1) * 84); ++c)
            expected << site[c].label + "|" + site[c].name + "|" + (site[c].back ? "B" : "");
        // The text runs across the sheet line by line; the labels' channels go down each label.
        QStringList sortedFound = found[p];
        QStringList sortedExpected = expected;
        sortedFound.sort();
        sortedExpected.sort();
        QCOMPARE(sortedFound, sortedExpected);
        next += int(found[p].size());
    }
    QCOMPARE(next, site.size());
}

void TestPrintPdf::firstPagesAreDrawn_data()
{
    QTest::addColumn<QStringList>("output");
    QTest::newRow("site record") << QStringList{"drawn-record.pdf"};
    QTest::newRow("label sheet") << QStringList{"--label-sheet", "drawn-labels.pdf"};
}

// A4 at 30 dots per inch, with ink on it but far from all ink.
void TestPrintPdf::firstPagesAreDrawn()
{
    QFETCH(QStringList, output);
    const QImage page = PdfPages::picture(written(1, output), 1, 30);
    QVERIFY(!page.isNull());
    QVERIFY(qAbs(page.width() - 248) <= 1);
    QVERIFY(qAbs(page.height() - 351) <= 1);
    const double ink = PdfPages::inkShare(page);
    QVERIFY2(ink > 0.003 && ink < 0.3, qPrintable(QString::number(ink)));
}

void TestPrintPdf::letterPaperKeepsACardAPage()
{
    ChannelRows rows;
    for (const Channel& channel : siteOf(1))
        rows.append({channel.name, channel.back, "UP", "DN"});
    SiteRecordDocument record({rows, "north", "north.dip", QDate(2024, 3, 1)}, QPageSize::Letter);
    const QString pdf = dir.filePath("letter.pdf");
    const std::optional<FileResult> result = WritePdf(record, pdf);
    QVERIFY(result && *result);
    const QStringList pages = PdfPages::texts(pdf);
    QCOMPARE(pages.size(), 9);
    QVERIFY(pages[8].contains("Card AH: channels AH01 to AH48"));
    QCOMPARE(tableLine(pages[8], "AH48"), "AH48 Spare AH48 Back UP DN");
    QCOMPARE(pages[0].trimmed().section(u'\n', 0, 0).simplified(), "north north.dip 2024-03-01");
    const QImage picture = PdfPages::picture(pdf, 1, 30);
    QCOMPARE(picture.size(), QSize(255, 330));
}

// Stopped on its third page: nothing written, the file that was there kept as it was.
void TestPrintPdf::cancelledPdfLeavesTheOldFile()
{
    const QString pdf = dir.filePath("kept.pdf");
    writeFile(pdf, "the old file");
    SiteRecordDocument record({ChannelRows(384), "north", "", QDate::currentDate()});
    int drawn = 0;
    const std::optional<FileResult> result = WritePdf(record, pdf, [&](int done, int total) {
        drawn = done;
        [&] { QCOMPARE(total, 9); }();
        return done < 3;
    });
    QVERIFY(!result);
    QCOMPARE(drawn, 3);
    QCOMPARE(readFile(pdf), "the old file");
}

void TestPrintPdf::failedWriteSaysWhy()
{
    SiteRecordDocument record({ChannelRows(384), "north", "", QDate::currentDate()});
    const std::optional<FileResult> result =
        WritePdf(record, dir.filePath("no such folder/record.pdf"));
    QVERIFY(result);
    QVERIFY(!*result);
    QVERIFY(!result->error.isEmpty());
}

void TestPrintPdf::labelSheetTakesOneMode()
{
    const QString input = dir.filePath("modes.dip");
    writeFile(input, dipFile(siteOf(1)));
    QCOMPARE(runConvert({input, "--label-sheet", dir.filePath("a.pdf"), "--labels", "x.db"}), 2);
    QCOMPARE(runConvert({"--label-sheet", dir.filePath("a.pdf")}), 2);
    QVERIFY(!QFile::exists(dir.filePath("a.pdf")));
}

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
