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
    QCOMPARE((QStringList{store->value("FormSize/top").toString(),
                          store->value("FormSize/left").toString(),
                          store->value("FormSize/height").toString()}),
             (QStringList{"1234", "567.5", "8000"}));
    const FormSize size = LoadFormSize();
    QCOMPARE((QList<double>{size.top, size.left, size.height}), (QList<double>{1234, 567.5, 8000}));
}

void TestSettings::storedFormSizeTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("top");
    QTest::newRow("blanks") << " 1200 " << 1200.0;
    QTest::newRow("trailing word") << "12px" << 500.0;
    QTest::newRow("infinite") << "inf" << 500.0;
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
