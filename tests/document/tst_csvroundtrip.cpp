// A list written by the editor reads back as the same channels, whatever the names hold.
#include "common/LineBreaks.h"
#include "common/Windows1252.h"
#include "document/CsvFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestCsvRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    // Every byte a name can hold, between two letters: commas, quotes and semicolons too; a
    // line break is written as a space.
    void everyByteInANameReadsBack()
    {
        ChannelRows rows = DefaultRows(384);
        for (int byte = 0; byte < 256; ++byte) {
            const char bytes[] = {'A', char(byte), 'B'};
            rows[byte].relNam = Windows1252::decode(QByteArrayView(bytes, 3));
            rows[byte].back = byte % 2 == 1;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("all.csv");
        QVERIFY(SaveCsvFile(rows, path).ok);
        int questions = 0;
        const SiteRead read = LoadCsvFile(path, DefaultRows(384), [&](const QString&) {
            ++questions;
            return false;
        });
        QCOMPARE(questions, 0);
        QCOMPARE(read.outcome, SiteRead::Outcome::Loaded);
        QCOMPARE(read.notices, QStringList{"384 channels imported"});
        for (int row = 0; row < 384; ++row) {
            QCOMPARE(read.rows[row].relNam, ModFunc::LineBreaksAsSpaces(rows[row].relNam));
            QCOMPARE(read.rows[row].back, rows[row].back);
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvRoundTrip)
#include "tst_csvroundtrip.moc"
