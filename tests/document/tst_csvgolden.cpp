// Golden cases of the CSV list: tests/data/csv/<case>/, run through the document commands.
#include "support/GoldenDocumentCase.h"
#include "support/GoldenFiles.h"

#include <QTest>

class TestCsvGolden : public QObject
{
    Q_OBJECT

private slots:
    void cases_data() { Golden::addCaseRows(QStringLiteral(ZR415_TEST_DATA "/csv")); }
    void cases()
    {
        QFETCH(QString, caseDir);
        RunDocumentCase(caseDir);
    }
};

QTEST_GUILESS_MAIN(TestCsvGolden)
#include "tst_csvgolden.moc"
