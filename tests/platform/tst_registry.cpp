// The settings live where earlier versions of the editor kept them, so users keep theirs: text
// values under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\ZR415Config, read back
// with Windows' own reg tool. The user's own values there are put back afterwards.
#include "windows/FormSizeSettings.h"
#include "windows/ModGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kKey = R"(HKEY_CURRENT_USER\Software\VB and VBA Program Settings\ZR415Config)";

using Values = QMap<QString, QString>; // name -> "TYPE data"

// Runs reg.exe; its standard output, or a null string when it failed.
QString reg(const QStringList& arguments)
{
    QProcess process;
    process.start("reg.exe", arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The values of one key as `reg query` lists them: four spaces, name, type, data.
Values query(const QString& key)
{
    static const QRegularExpression line(R"(^ {4}(\S+) {4}(REG_\w+) {4}(.*)$)");
    Values values;
    for (const QString& text : reg({"query", key}).split(QRegularExpression("\r?\n"))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            values.insert(match.captured(1), match.captured(2) + ' ' + match.captured(3).trimmed());
    }
    return values;
}

void add(const QString& key, const QString& name, const QString& data)
{
    QVERIFY2(!reg({"add", key, "/v", name, "/t", "REG_SZ", "/d", data, "/f"}).isNull(),
             qPrintable(key + '\\' + name));
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void settingsLandInTheRegistry();
    void valuesOfEarlierVersionsAreRead();
    void noKeyGivesTheDefaults();

private:
    QTemporaryDir backup_;
    bool hadKey_ = false;
};

void TestRegistry::initTestCase()
{
    QVERIFY(backup_.isValid());
    hadKey_ = !reg({"export", kKey, QDir::toNativeSeparators(backup_.filePath("user.reg")), "/y"})
                   .isNull();
}

void TestRegistry::cleanupTestCase()
{
    reg({"delete", kKey, "/f"});
    if (hadKey_)
        QVERIFY(!reg({"import", QDir::toNativeSeparators(backup_.filePath("user.reg"))}).isNull());
}

void TestRegistry::init()
{
    reg({"delete", kKey, "/f"});
    QCOMPARE(query(kKey + "\\Directories"), Values());
}

void TestRegistry::settingsLandInTheRegistry()
{
    ModGlobal::SaveSettings(
        {R"(C:\Sites\North Junction)", R"(E:\)", R"(C:\Program Files\Tarnwick\Config)"});
    SaveFormSize({1234.5, 600, 9000});

    QCOMPARE(query(kKey + "\\Directories"),
             Values({{"filePath", R"(REG_SZ C:\Sites\North Junction)"},
                     {"cfPath", R"(REG_SZ E:\)"},
                     {"crvPath", R"(REG_SZ C:\Program Files\Tarnwick\Config)"}}));
    QCOMPARE(query(kKey + "\\FormSize"),
             Values({{"top", "REG_SZ 1234.5"}, {"left", "REG_SZ 600"}, {"height", "REG_SZ 9000"}}));
}

// What the earlier editor's SaveSetting left: strings, some of them not numbers.
void TestRegistry::valuesOfEarlierVersionsAreRead()
{
    add(kKey + "\\Directories", "filePath", R"(D:\old sites)");
    add(kKey + "\\Directories", "cfPath", R"(F:\)");
    add(kKey + "\\Directories", "crvPath", R"(C:\Tarnwick\config)");
    add(kKey + "\\FormSize", "top", "1440");
    add(kKey + "\\FormSize", "left", "not a number");
    add(kKey + "\\FormSize", "height", "7200.5");

    DirSettings dirs;
    ModGlobal::LoadSettings(dirs);
    const FormSize size = LoadFormSize();

    QCOMPARE(dirs.filePath, R"(D:\old sites)");
    QCOMPARE(dirs.cfPath, R"(F:\)");
    QCOMPARE(dirs.crvPath, R"(C:\Tarnwick\config)");
    QCOMPARE(size.top, 1440.0);
    QCOMPARE(size.left, FormSize::kDefaultLeft);
    QCOMPARE(size.height, 7200.5);
}

// A first start: the system drive's root for the channel files and the card, the program's
// folder for Corvane.
void TestRegistry::noKeyGivesTheDefaults()
{
    DirSettings dirs;
    ModGlobal::LoadSettings(dirs);
    const QString systemRoot = qEnvironmentVariable("SystemDrive") + '\\';
    QCOMPARE(systemRoot, "C:\\");
    QCOMPARE(dirs.filePath, systemRoot);
    QCOMPARE(dirs.cfPath, systemRoot);
    QCOMPARE(dirs.crvPath, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    QVERIFY(dirs.crvPath.contains('\\'));
}

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
