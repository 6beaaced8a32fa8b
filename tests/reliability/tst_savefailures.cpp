// Saves that fail: into a folder that does not exist, onto a path that is a folder, and part-way
// through the write. Whatever the command, the folder afterwards holds exactly what it held
// before (the old file byte for byte, no temporary file), the user is told the system's
// description, and the site stays modified.
#include "../support/TestFiles.h"
#include "WriteFailure.h"

#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "windows/DirSettings.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <optional>

namespace {

// In the order of the names of the rows.
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
    void init();
    void commandKeepsTheSiteModified_data();
    void commandKeepsTheSiteModified();

private:
    ChannelTableModel table;
    DirSettings dirs;
};

void TestSaveFailures::init()
{
    table.SetChannelCount(384, ChannelTableModel::FillAllRows);
    table.setRelayName(0, QStringLiteral("Edited"));
    dirs = {};
}

void TestSaveFailures::commandKeepsTheSiteModified_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<Place>("place");
    const char* const commands[] = {"Save", "Save As .dip", "Save As .csv", "Save As .cfg",
                                    "Export to card"};
    const char* const places[] = {"missing folder", "path is a folder", "write fails part-way"};
    for (size_t c = 0; c < std::size(commands); ++c)
        for (size_t p = 0; p < std::size(places); ++p)
            QTest::addRow("%s, %s", commands[c], places[p]) << Command(c) << Place(p);
}

void TestSaveFailures::commandKeepsTheSiteModified()
{
    QFETCH(Command, command);
    QFETCH(Place, place);
    const QString description = place == Place::PartWay
                                    ? WriteFailure::description()
                                    : QString::fromLocal8Bit(std::strerror(
                                          place == Place::MissingFolder ? ENOENT : EISDIR));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString folder = QDir::toNativeSeparators(dir.path());
    if (place == Place::MissingFolder)
        folder += QDir::separator() + QString("missing");
    const QString path = folder + QDir::separator() +
                         (command == Command::SaveAsCsv   ? "north.csv"
                          : command == Command::SaveAsCfg ? "DChannel.cfg"
                                                          : "north.dip");
    if (place == Place::PathIsFolder)
        writeFile(path + "/keep.txt", "inside");
    if (place == Place::PartWay)
        writeFile(path, QByteArray(20000, 'o'));
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    DocumentCommands commands(table, dirs);
    if (command == Command::Save)
        commands.SetSiteFromDialog(path);
    else
        commands.SetSiteName(QStringLiteral("south"));
    commands.setModified(true);
    const SiteState siteBefore = commands.site();
    ScriptedDialogs dialogs;
    // Save As .cfg writes DChannel.cfg beside whatever name was typed.
    dialogs.chooseNext(command == Command::SaveAsCfg ? folder + QDir::separator() + "any.cfg"
                                                     : path);
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
    const bool corvane = command == Command::SaveAsCfg;
    QCOMPARE(dialogs.texts(),
             QStringList{corvane ? "Could not save digital channels config file.\r\n" + path +
                                       "\r\n" + description
                                 : "Error occurred while saving.\r\n" + description});
    const MessageRequest& box = dialogs.messages().first();
    QCOMPARE(box.title, corvane ? ApplicationTitle() : EditorTitle());
    if (corvane)
        QCOMPARE(box.icon, MessageIcon::Exclamation);
    QVERIFY(commands.isModified());
    QCOMPARE(commands.site().siteName, siteBefore.siteName);
    QCOMPARE(commands.site().sitePath, siteBefore.sitePath);
    QCOMPARE(commands.site().siteFileTitle, siteBefore.siteFileTitle);
    QCOMPARE(table.channel(0).relNam, QStringLiteral("Edited"));
}

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
