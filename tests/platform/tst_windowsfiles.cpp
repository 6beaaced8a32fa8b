// A channel file or list that another program holds open, with the sharing it grants: Windows'
// own rule, which the golden cases do not meet. Drive letters and backslashes go through every
// reader and writer in the golden cases, which run here too.
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Another program holding `path` open with the sharing it grants ("r", "w", "d" or "-").
class HeldOpen
{
public:
    HeldOpen(const QString& path, const QString& sharing)
    {
        process_.start(ZR415_HOLD_OPEN_EXE, {QDir::toNativeSeparators(path), sharing});
        holding_ = process_.waitForReadyRead(30000) && process_.readAll().startsWith("open");
    }
    ~HeldOpen()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(30000))
            process_.kill();
    }
    bool holding() const { return holding_; }

private:
    QProcess process_;
    bool holding_ = false;
};

} // namespace

class TestWindowsFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveOverAFileHeldOpen_data();
    void saveOverAFileHeldOpen();
};

void TestWindowsFiles::saveOverAFileHeldOpen_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("sharing");
    QTest::addColumn<bool>("mayReplace"); // false: the save must fail
    // Without delete sharing nobody may replace the file; with it, Windows decides.
    QTest::newRow("Save, held without sharing") << "north.dip"
                                                << "-" << false;
    QTest::newRow("Save As .csv, held for reading as a spreadsheet does") << "north.csv"
                                                                          << "r" << false;
    QTest::newRow("Save, held with full sharing") << "north.dip"
                                                  << "rwd" << true;
}

// Either the save fails with the system's reason and the old file stays byte for byte, or the
// file holds exactly what an undisturbed save writes; never a temporary file left behind.
void TestWindowsFiles::saveOverAFileHeldOpen()
{
    QFETCH(QString, fileName);
    QFETCH(QString, sharing);
    QFETCH(bool, mayReplace);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = QDir::toNativeSeparators(dir.filePath(fileName));
    const bool saveAs = fileName.endsWith(".csv");
    // Save writes over the site's own channel file, which must first open.
    const QByteArray old = saveAs ? QByteArray(20000, 'o') : EncodeDipFile(DefaultRows(384));
    writeFile(path, old);

    ChannelTableModel table;
    table.replaceRows(DefaultRows(384));
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    ScriptedDialogs dialogs;
    if (!saveAs) {
        dialogs.chooseNext(path);
        commands.OpenSite();
        dialogs.clear();
    }
    QVERIFY(table.setData(table.index(0, ChannelTableModel::ColRelNam), "EDITED"));
    bool saved = false;
    {
        HeldOpen holder(path, sharing);
        QVERIFY(holder.holding());
        if (saveAs)
            dialogs.chooseNext(path);
        saved = saveAs ? commands.SaveSiteAs() : commands.SaveSite();
    }

    QCOMPARE(entries(dir.path()), QStringList{fileName});
    if (!saved) {
        QCOMPARE(dialogs.texts().size(), 1);
        const QString prefix = "Error occurred while saving.\r\n";
        QVERIFY2(dialogs.texts()[0].startsWith(prefix) && dialogs.texts()[0].size() > prefix.size(),
                 qPrintable(dialogs.texts()[0]));
        QCOMPARE(readFile(path), old);
        QVERIFY(commands.isModified());
        return;
    }
    QVERIFY2(mayReplace, "replaced a file that its holder did not let go");
    QCOMPARE(dialogs.texts(), QStringList());
    const QString undisturbed =
        QDir::toNativeSeparators(dir.filePath("undisturbed" + fileName.right(4)));
    dialogs.chooseNext(undisturbed);
    QVERIFY(commands.SaveSiteAs());
    QCOMPARE(readFile(path), readFile(undisturbed));
}

QTEST_GUILESS_MAIN(TestWindowsFiles)
#include "tst_windowsfiles.moc"
