// Golden cases of one format, tests/data/<ZR415_GOLDEN_FORMAT>/<case>/, run through the
// document commands.
#include "support/GoldenDocumentCase.h"
#include "support/GoldenFiles.h"

#include <QTest>

class TestDocumentGolden : public QObject
{
    Q_OBJECT

private slots:
    void cases_data()
    {
        Golden::addCaseRows(QStringLiteral(ZR415_TEST_DATA "/" ZR415_GOLDEN_FORMAT));
    }
    void cases()
    {
        QFETCH(QString, caseDir);
        RunDocumentCase(caseDir);
    }
};

QTEST_GUILESS_MAIN(TestDocumentGolden)
#include "tst_documentgolden.moc"
