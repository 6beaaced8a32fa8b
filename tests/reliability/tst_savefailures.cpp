// A failed save leaves the folder as it was (the old file byte for byte, no temporary file),
// tells the user the system's description, and keeps the site modified.
#include "support/TestFiles.h"
#include "support/WriteFailure.h"

#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemErrors.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>

#include <optional>

namespace {

enum class Place { MissingFolder, PathIsFolder, PartWay };
enum class Command { Save, SaveAsDip, SaveAsCsv, SaveAsCfg, ExportToCard };

// Every new file here is larger than this, so a limited write always stops part-way.
constexpr qint64 kWriteLimit = 4096;

// Every entry below the folder, files with their bytes, so any change shows.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(QDir(folder).relativeFilePath(path),
                       it.fileInfo().isDir() ? QByteArray("<folder>") : readFile(path));
    }
    return entries;
}

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Command)

class TestSaveFailures : public QObject
{
    Q_OBJECT

private slots:
    void commandKeepsTheSiteModified_data();
    void commandKeepsTheSiteModified();
};

// Each writer fails part-way once; the failures to open go through the same path for all.
void TestSaveFailures::commandKeepsTheSiteModified_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<Place>("place");
    QTest::newRow("Save, write fails part-way") << Command::Save << Place::PartWay;
    QTest::newRow("Save As .dip, missing folder") << Command::SaveAsDip << Place::MissingFolder;
    QTest::newRow("Save As .csv, write fails part-way") << Command::SaveAsCsv << Place::PartWay;
    QTest::newRow("Save As .cfg, write fails part-way") << Command::SaveAsCfg << Place::PartWay;
    QTest::newRow("Export to card, path is a folder")
        << Command::ExportToCard << Place::PathIsFolder;
}

void TestSaveFailures::commandKeepsTheSiteModified()
{
    QFETCH(Command, command);
    QFETCH(Place, place);
    if (place == Place::PartWay && WriteFailure::kUnavailable)
        QSKIP(WriteFailure::kUnavailable);
    const QString description = systemDescription(place == Place::PartWay ? WriteFailure::error()
                                                  : place == Place::MissingFolder ? ENOENT
                                                                                  : EISDIR);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString folder = QDir::toNativeSeparators(dir.path());
    if (place == Place::MissingFolder)
        folder += QDir::separator() + QString("missing");
    const bool corvane = command == Command::SaveAsCfg;
    const QString path = folder + QDir::separator() +
                         (command == Command::SaveAsCsv ? "north.csv"
                          : corvane                     ? "DChannel.cfg"
                                                        : "north.dip");
    if (place == Place::PathIsFolder)
        writeFile(path + "/keep.txt", "inside");
    // Save writes over the site's own channel file, so that one must open.
    if (command == Command::Save)
        writeFile(path, EncodeDipFile(DefaultRows(384)));
    else if (place == Place::PartWay)
        writeFile(path, QByteArray(20000, 'o'));

    ChannelTableModel table;
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
    DirSettings dirs;
    DocumentCommands commands(table, dirs);
    ScriptedDialogs dialogs;
    if (command == Command::Save) {
        dialogs.chooseNext(path);
        commands.OpenSite();
        dialogs.clear();
    }
    QVERIFY(table.setData(table.index(0, ChannelTableModel::ColRelNam), "EDITED"));
    const SiteState siteBefore = commands.site();
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    // Save As .cfg writes DChannel.cfg beside whatever name was typed.
    dialogs.chooseNext(corvane ? folder + QDir::separator() + "any.cfg" : path);
    {
        std::optional<WriteFailure> failure;
        if (place == Place::PartWay)
            failure.emplace(kWriteLimit);
        if (command == Command::Save)
            QVERIFY(!commands.SaveSite());
        else if (command == Command::ExportToCard)
            commands.ExportToCard();
        else
            QVERIFY(!commands.SaveSiteAs());
    }

    QCOMPARE(snapshot(dir.path()), before);
    QCOMPARE(dialogs.texts(),
             QStringList{corvane ? "Could not save digital channels config file.\r\n" + path +
                                       "\r\n" + description
                                 : "Error occurred while saving.\r\n" + description});
    QVERIFY(commands.isModified());
    QCOMPARE(commands.site().siteName, siteBefore.siteName);
    QCOMPARE(commands.site().sitePath, siteBefore.sitePath);
}

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
