// Golden cases of the Corvane files: tests/data/corvane/<case>/, imported and saved through the
// document commands.
#include "support/GoldenDocumentCase.h"
#include "support/GoldenFiles.h"

#include <QTest>

class TestCorvaneGolden : public QObject
{
    Q_OBJECT

private slots:
    void cases_data() { Golden::addCaseRows(QStringLiteral(ZR415_TEST_DATA "/corvane")); }
    void cases()
    {
        QFETCH(QString, caseDir);
        RunDocumentCase(caseDir);
    }
};

QTEST_GUILESS_MAIN(TestCorvaneGolden)
#include "tst_corvanegolden.moc"
