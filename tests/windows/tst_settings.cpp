#include "windows/FormSizeSettings.h"
#include "windows/ModGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { ModGlobal::OpenSettingsStore()->clear(); }
    void directoryDefaults();
    void directoriesRoundTrip();
    void formSizeRoundTrip();
    void storedFormSizeTexts_data();
    void storedFormSizeTexts();
};

void TestSettings::initTestCase()
{
    // In test mode the store lies in a temporary folder, never below the user's home.
    QStandardPaths::setTestModeEnabled(true);
    const QString store = ModGlobal::OpenSettingsStore()->fileName();
    QVERIFY(store.startsWith(QDir::tempPath()));
}

void TestSettings::directoryDefaults()
{
    DirSettings dirs{"x", "y", "z"};
    ModGlobal::LoadSettings(dirs);
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QVERIFY(root.endsWith(QDir::separator()));
    QCOMPARE(dirs.filePath, root);
    QCOMPARE(dirs.cfPath, root);
    QCOMPARE(dirs.crvPath, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

void TestSettings::directoriesRoundTrip()
{
    ModGlobal::SaveSettings({"D:\\sites\\", "", "/home/corvane/config"});
    const auto store = ModGlobal::OpenSettingsStore();
    QCOMPARE(store->value("Directories/filePath").toString(), "D:\\sites\\");
    DirSettings dirs;
    ModGlobal::LoadSettings(dirs);
    QCOMPARE(dirs.filePath, "D:\\sites\\");
    QCOMPARE(dirs.cfPath, ""); // stored empty, so no default
    QCOMPARE(dirs.crvPath, "/home/corvane/config");
}

void TestSettings::formSizeRoundTrip()
{
    SaveFormSize({1234, 567.5, 8000});
    const auto store = ModGlobal::OpenSettingsStore();
    QCOMPARE(store->value("FormSize/top").toString(), "1234");
    QCOMPARE(store->value("FormSize/left").toString(), "567.5");
    QCOMPARE(store->value("FormSize/height").toString(), "8000");
    const FormSize size = LoadFormSize();
    QCOMPARE(size.top, 1234.0);
    QCOMPARE(size.left, 567.5);
    QCOMPARE(size.height, 8000.0);
}

void TestSettings::storedFormSizeTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("top");
    QTest::newRow("number") << "1200" << 1200.0;
    QTest::newRow("negative") << "-60" << -60.0;
    QTest::newRow("blanks") << " 1200 " << 1200.0;
    QTest::newRow("empty") << "" << 500.0;
    QTest::newRow("word") << "abc" << 500.0;
    QTest::newRow("trailing word") << "12px" << 500.0;
    QTest::newRow("infinite") << "inf" << 500.0;
    QTest::newRow("nan") << "nan" << 500.0;
}

void TestSettings::storedFormSizeTexts()
{
    QFETCH(QString, text);
    QFETCH(double, top);
    ModGlobal::OpenSettingsStore()->setValue("FormSize/top", text);
    ModGlobal::OpenSettingsStore()->setValue("FormSize/height", "7000");
    const FormSize size = LoadFormSize();
    QCOMPARE(size.top, top);
    QCOMPARE(size.left, 500.0);
    QCOMPARE(size.height, 7000.0);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
