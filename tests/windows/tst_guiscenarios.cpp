// Every GUI scenario of tests/data/gui/ played on the real main window by its keys.
#include "scenario/ScenarioPlayer.h"
#include "support/GoldenFiles.h"
#include "support/TestSettings.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestGuiScenarios : public QObject
{
    Q_OBJECT

    QTemporaryDir home;

private slots:
    // Settings and recovery copies of this program's own: the scenarios run beside other tests.
    void initTestCase()
    {
        QVERIFY(home.isValid());
#ifndef Q_OS_WIN
        qputenv("HOME", QFile::encodeName(home.path()));
#endif
        QStandardPaths::setTestModeEnabled(true);
        useTestSettings();
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
        // The row tester hands the table invalid indexes on purpose; the warnings are noise.
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }

    void cases_data()
    {
        Golden::addCaseRows(ZR415_TEST_DATA "/gui");
    }

    void cases()
    {
        QFETCH(QString, caseDir);
        ScenarioPlayer(caseDir).play();
    }
};

QTEST_MAIN(TestGuiScenarios)
#include "tst_guiscenarios.moc"
