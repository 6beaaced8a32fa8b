// The site record and the label sheet as zr415-convert writes them, read back with poppler's
// pdftotext and pdftoppm.
#include "print/LabelSheetGrid.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"
#include "support/DipBytes.h"
#include "support/FingerprintOf.h"
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

// Relays numbered after the channel, one in eight spare, back contacts at every third and
// every seventh channel.
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

QString fingerprintOf(const QString& path)
{
    return fingerprintOf(readFile(path));
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

// The channels of a label sheet page as "label|name|mark", sorted: the text runs across the
// sheet line by line, while a label's channels go down it.
QStringList labelsOn(const QString& page)
{
    // A label, its name (words with single spaces) and, further right, "B" for a back contact.
    static const QRegularExpression channel(
        R"(([A-H][A-H]\d\d) (\S+(?: \S+)*?)(?: {2,}(B))?(?= {2,}|$))");
    QStringList found;
    for (const QString& line : page.split(u'\n')) {
        for (auto it = channel.globalMatch(line.trimmed()); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            found << m.captured(1) + "|" + m.captured(2) + "|" + m.captured(3);
        }
    }
    found.sort();
    return found;
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString saved(const QList<Channel>& site, const QString& name)
    {
        QList<DipChannel> records;
        for (const Channel& channel : site)
            records.append({channel.name.toLatin1(), channel.back});
        writeFile(dir.filePath(name), dipBytes(records));
        return dir.filePath(name);
    }

    // The PDF that zr415-convert writes of the site with `options` and then the PDF's name.
    QString written(int units, const QStringList& options, const QString& name, int status = 0)
    {
        const QString input = saved(siteOf(units), QString("site%1.dip").arg(units));
        [&] { QCOMPARE(runConvert(QStringList{input} + options << dir.filePath(name)), status); }();
        return dir.filePath(name);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils (pdftotext, pdftoppm) is not installed");
    }

    void siteRecord_data()
    {
        QTest::addColumn<int>("units");
        QTest::newRow("one unit") << 1;
        QTest::newRow("eight units") << 8;
    }

    // Headed and footed with the fingerprint on every page; the title block and the sign-off
    // boxes first; then each card with its first and last channel, after its unit's heading.
    void siteRecord()
    {
        QFETCH(int, units);
        const QList<Channel> site = siteOf(units);
        const QStringList pages = PdfPages::texts(written(units, {}, "record.pdf"));
        QCOMPARE(pages.size(), 1 + 8 * units);
        const QString heading = QString("site%1 site%1.dip %2")
                                    .arg(units)
                                    .arg(QDate::currentDate().toString(Qt::ISODate));
        const QString fingerprint = fingerprintOf(dir.filePath(QString("site%1.dip").arg(units)));
        for (int p = 0; p < pages.size(); ++p) {
            QCOMPARE(pages[p].trimmed().section(u'\n', 0, 0).simplified(), heading);
            QCOMPARE(pages[p].trimmed().section(u'\n', -1).simplified(),
                     QString("site%1 Fingerprint %2 Page %3 of %4")
                         .arg(units)
                         .arg(fingerprint)
                         .arg(p + 1)
                         .arg(pages.size()));
            for (const char* signOff : {"Prepared by", "Checked by", "Approved by", "Signature"})
                QCOMPARE(pages[p].contains(signOff), p == 0);
        }
        QVERIFY(pages[0].contains("Fingerprint: " + fingerprint));
        const auto count = [&](auto test) {
            return int(std::count_if(site.begin(), site.end(), test));
        };
        QVERIFY(pages[0].contains(QString("Units: %1 (%2 channels)").arg(units).arg(units * 384)));
        QVERIFY(pages[0].contains(QString("Channels in use: %1").arg(count([](const Channel& c) {
            return !c.name.startsWith("Spare");
        }))));
        QVERIFY(pages[0].contains(QString("Channels on back contacts: %1")
                                      .arg(count([](const Channel& c) { return c.back; }))));
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

    void labelSheet_data() { siteRecord_data(); }

    // Every channel once, in order, 21 labels of four channels a sheet, "B" on back contacts
    // only.
    void labelSheet()
    {
        QFETCH(int, units);
        const QList<Channel> site = siteOf(units);
        const QStringList pages = PdfPages::texts(written(units, {"--label-sheet"}, "labels.pdf"));
        QCOMPARE(pages.size(), (units * 96 + 20) / 21);
        for (int p = 0; p < pages.size(); ++p) {
            QStringList expected;
            for (int c = p * 84; c < std::min<int>(site.size(), (p + 1) * 84); ++c)
                expected << site[c].label + "|" + site[c].name + "|" + (site[c].back ? "B" : "");
            expected.sort();
            QCOMPARE(labelsOn(pages[p]), expected);
        }
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
        const QImage page = PdfPages::picture(written(1, options, "drawn.pdf"), 1, 30);
        QVERIFY(qAbs(page.width() - 248) <= 1 && qAbs(page.height() - 351) <= 1);
        const double ink = PdfPages::inkShare(page);
        QVERIFY2(ink > 0.003 && ink < 0.3, qPrintable(QString::number(ink)));
    }

    void alterationRecord_data()
    {
        QTest::addColumn<int>("oldUnits");
        QTest::addColumn<int>("newUnits");
        QTest::addColumn<int>("renameEvery"); // every n-th channel gets a new name
        QTest::addColumn<int>("flipEvery");   // every n-th channel changes its contact
        QTest::addColumn<QString>("onlyNew");
        QTest::newRow("a few names") << 1 << 1 << 50 << 1000 << "";
        QTest::newRow("every channel of eight units") << 8 << 8 << 1 << 2 << "";
        QTest::newRow("a unit added") << 1 << 2 << 100 << 7 << "BA01 to BH48 (384 channels)";
    }

    // Exactly the changed fields, old then new; both fingerprints at the foot of every page,
    // the sign-off boxes on the first.
    void alterationRecord()
    {
        QFETCH(int, oldUnits);
        QFETCH(int, newUnits);
        QFETCH(int, renameEvery);
        QFETCH(int, flipEvery);
        QFETCH(QString, onlyNew);
        const QList<Channel> before = siteOf(oldUnits);
        QList<Channel> after = siteOf(newUnits);
        QStringList expected;
        for (int c = 1; c <= after.size(); ++c) {
            Channel& channel = after[c - 1];
            if (c % renameEvery == 0)
                channel.name = QString("NEW %1").arg(c);
            if (c % flipEvery == 0)
                channel.back = !channel.back;
            if (c > before.size())
                continue;
            const Channel& old = before[c - 1];
            if (old.name != channel.name)
                expected << QString("%1|Relay name|%2|%3").arg(old.label, old.name, channel.name);
            if (old.back != channel.back)
                expected << QString("%1|Back contact|%2|%3")
                                .arg(old.label, old.back ? "Back" : "Front",
                                     channel.back ? "Back" : "Front");
        }
        const QString oldFile = saved(before, "old.dip");
        const QString newFile = saved(after, "new.dip");
        const QString pdf = dir.filePath("alteration.pdf");
        QCOMPARE(runConvert({"--compare", oldFile, newFile, "--record", pdf}), 1);
        const QStringList pages = PdfPages::texts(pdf);
        QVERIFY(!pages.isEmpty());
        static const QRegularExpression line(
            R"(^\s*([A-H][A-H]\d\d)\s+(Relay name|Back contact|State up|State down)\s+(.*?)\s+->\s+(.*?)\s*$)",
            QRegularExpression::MultilineOption);
        QStringList found;
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY(pages[p].trimmed().section(u'\n', -1).simplified().contains(
                QString("Old %1 New %2 Page %3 of %4")
                    .arg(fingerprintOf(oldFile), fingerprintOf(newFile))
                    .arg(p + 1)
                    .arg(pages.size())));
            QCOMPARE(pages[p].contains("Checked by"), p == 0);
            for (auto it = line.globalMatch(pages[p]); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                found << QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)}
                             .join('|');
            }
        }
        QCOMPARE(found, expected);
        QSet<QString> changed;
        for (const QString& field : expected)
            changed.insert(field.left(4));
        QVERIFY(pages[0].contains(
            QString("Channels unchanged: %1").arg(before.size() - changed.size())));
        QCOMPARE(pages[0].contains("Only in the new site: " + onlyNew), !onlyNew.isEmpty());
    }

    void labelsFromLabelN_data()
    {
        QTest::addColumn<int>("start");
        QTest::newRow("a fresh sheet") << 1;
        QTest::newRow("four used") << 5;
        QTest::newRow("one left") << 21;
    }

    // The first label lands on label N of the first sheet; the rest follow across then down.
    void labelsFromLabelN()
    {
        QFETCH(int, start);
        const QString pdf =
            written(1, {"--start", QString::number(start), "--label-sheet"}, "from.pdf");
        QCOMPARE(PdfPages::texts(pdf).size(), (96 + start - 1 + 20) / 21);
        QCOMPARE(labelsOn(PdfPages::texts(pdf).first()).size(), 4 * (22 - start));
        const QRectF place = LabelSheetGrid().labelRect(start - 1);
        for (const PdfPages::Word& word : PdfPages::words(pdf)) {
            if (word.text == "AA01")
                QVERIFY(word.page == 1 && place.contains(word.box.center()));
        }
    }

    // Only the labels whose names or contacts changed: channel 6's name puts AA05-AA08 on the
    // sheet, channel 200's contact AE05-AE08; a state text is on no label.
    void labelsOfChangesOnly()
    {
        QList<Channel> after = siteOf(1);
        const QString oldFile = saved(after, "before.dip");
        after[5].name = "NEW 6";
        after[199].back = !after[199].back;
        QList<DipChannel> records;
        for (const Channel& channel : after)
            records.append({channel.name.toLatin1(), channel.back});
        records[299].up = "ON";
        writeFile(dir.filePath("after.dip"), dipBytes(records));
        const QString pdf = dir.filePath("changed.pdf");
        QCOMPARE(runConvert({dir.filePath("after.dip"), "--label-sheet", pdf, "--changed-against",
                             oldFile}),
                 0);
        QStringList expected;
        for (const int c : {5, 6, 7, 8, 197, 198, 199, 200})
            expected << after[c - 1].label + "|" + after[c - 1].name + "|" +
                            (after[c - 1].back ? "B" : "");
        expected.sort();
        const QStringList pages = PdfPages::texts(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(labelsOn(pages[0]), expected);
        QVERIFY(pages[0].contains("Fingerprint " + fingerprintOf(dir.filePath("after.dip"))));
    }

    // Stopped on its third page: nothing written, the file that was there kept as it was.
    void cancelledPdfLeavesTheOldFile()
    {
        const QString pdf = dir.filePath("kept.pdf");
        writeFile(pdf, "the old file");
        SiteRecordDocument record(PrintedSite::of(ChannelRows(384), "north", ""));
        int drawn = 0;
        const std::optional<FileResult> result = WritePdf(record, pdf, [&](int done, int total) {
            drawn = done;
            [&] { QCOMPARE(total, 9); }();
            return done < 3;
        });
        QVERIFY(!result);
        QCOMPARE(drawn, 3);
        QCOMPARE(readFile(pdf), "the old file");
        const std::optional<FileResult> failed = WritePdf(record, dir.filePath("no/record.pdf"));
        QVERIFY(failed && !*failed && !failed->error.isEmpty());
    }

    void labelSheetTakesOneMode()
    {
        const QString input = dir.filePath("modes.dip");
        writeFile(input, dipBytes({{"TPR 1"}}));
        QCOMPARE(runConvert({input, "--label-sheet", dir.filePath("a.pdf"), "--labels", "x.db"}),
                 2);
        QCOMPARE(runConvert({"--label-sheet", dir.filePath("a.pdf")}), 2);
        QCOMPARE(runConvert({input, "--label-sheet", dir.filePath("a.pdf"), "--start", "22"}), 2);
        QVERIFY(!QFile::exists(dir.filePath("a.pdf")));
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
