// Golden cases of the channel file: tests/data/dip/<case>/, run through the document commands.
#include "support/GoldenDocumentCase.h"
#include "support/GoldenFiles.h"

#include <QTest>

class TestDipGolden : public QObject
{
    Q_OBJECT

private slots:
    void cases_data() { Golden::addCaseRows(QStringLiteral(ZR415_TEST_DATA "/dip")); }
    void cases()
    {
        QFETCH(QString, caseDir);
        RunDocumentCase(caseDir);
    }
};

QTEST_GUILESS_MAIN(TestDipGolden)
#include "tst_dipgolden.moc"
