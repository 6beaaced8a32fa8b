// Saves that fail: into a folder that does not exist, onto a path that is a folder, and part-way
// through the write. Whatever the command, the folder afterwards holds exactly what it
// held before (the old file byte for byte, no temporary file), the user is told the system's
// description, and the site stays modified.
#include "../support/TestFiles.h"
#include "WriteFailure.h"

#include "common/ChannelLabel.h"
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
#include <memory>

namespace {

enum class Place { MissingFolder, PathIsFolder, KernelLimit, SimulatedFullDisk };
enum class Command { Save, SaveAsDip, SaveAsCsv, SaveAsCfg, ExportToCard };

// Every new file here is larger than this, so a limited write always stops part-way.
constexpr qint64 kWriteLimit = 4096;

struct PlaceInfo
{
    const char* name;
    int error;
};

PlaceInfo placeInfo(Place place)
{
    switch (place) {
    case Place::MissingFolder:
        return {"missing folder", ENOENT};
    case Place::PathIsFolder:
        return {"path is a folder", EISDIR};
    case Place::KernelLimit:
        return {"write fails part-way", EFBIG};
    case Place::SimulatedFullDisk:
        return {"disk fills part-way", ENOSPC};
    }
    return {};
}

QByteArray oldFileBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i)
        bytes.append(char(i * 31 + 7));
    return bytes;
}

// Every entry below the folder, files with their bytes, so any change shows.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QString name = QDir(folder).relativeFilePath(path);
        entries.insert(name, it.fileInfo().isDir()            ? QByteArray("<folder>")
                             : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                              : QByteArray("<unreadable>"));
    }
    return entries;
}

// A folder prepared so that a save to `path` fails in the chosen way.
class FailingPlace
{
public:
    FailingPlace(Place place, const QString& fileName) : place_(place)
    {
        QVERIFY(dir_.isValid());
        folder_ = QDir::toNativeSeparators(dir_.path());
        if (place == Place::MissingFolder)
            folder_ += QDir::separator() + QStringLiteral("missing");
        path_ = folder_ + QDir::separator() + fileName;
        if (place == Place::PathIsFolder) {
            QVERIFY(QDir().mkdir(path_));
            writeFile(path_ + QDir::separator() + QStringLiteral("keep.txt"), "inside");
        } else if (place != Place::MissingFolder) {
            writeFile(path_, oldFileBytes());
        }
        before_ = snapshot(dir_.path());
    }

    const QString& folder() const { return folder_; }
    const QString& path() const { return path_; }

    // Starts the failure of a part-way write; nothing for the other places.
    std::unique_ptr<WriteFailure> arm() const
    {
        if (place_ == Place::KernelLimit)
            return std::make_unique<WriteFailure>(WriteFailure::Kind::KernelLimit, kWriteLimit);
        if (place_ == Place::SimulatedFullDisk)
            return std::make_unique<WriteFailure>(WriteFailure::Kind::SimulatedFullDisk,
                                                  kWriteLimit);
        return nullptr;
    }

    QString description() const
    {
        return QString::fromLocal8Bit(std::strerror(placeInfo(place_).error));
    }

    bool unchanged() const { return snapshot(dir_.path()) == before_; }

private:
    Place place_;
    QTemporaryDir dir_;
    QString folder_;
    QString path_;
    QMap<QString, QByteArray> before_;
};

QList<Place> places()
{
    QList<Place> list{Place::MissingFolder, Place::PathIsFolder, Place::SimulatedFullDisk};
    if (WriteFailure::kernelLimitAvailable())
        list.append(Place::KernelLimit);
    return list;
}

QString savingFailure(const QString& description)
{
    return QStringLiteral("Error occurred while saving.\r\n") + description;
}

QString corvaneFailure(const QString& folder, const QString& description)
{
    return QStringLiteral("Could not save digital channels config file.\r\n") + folder +
           QDir::separator() + QStringLiteral("DChannel.cfg\r\n") + description;
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
    void saveWorksAgainOnceTheLimitIsGone();

private:
    ChannelTableModel table;
    DirSettings dirs;
};

void TestSaveFailures::init()
{
    table.SetChannelCount(ModFunc::kChannelsPerUnit, ChannelTableModel::FillAllRows);
    table.setRelayName(0, QStringLiteral("Edited"));
    dirs = {};
}

void TestSaveFailures::commandKeepsTheSiteModified_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<Place>("place");
    const struct
    {
        Command command;
        const char* name;
    } commands[] = {{Command::Save, "Save"},
                    {Command::SaveAsDip, "Save As .dip"},
                    {Command::SaveAsCsv, "Save As .csv"},
                    {Command::SaveAsCfg, "Save As .cfg"},
                    {Command::ExportToCard, "Export to the card"}};
    for (const auto& command : commands) {
        for (const Place place : places())
            QTest::addRow("%s, %s", command.name, placeInfo(place).name)
                << command.command << place;
    }
}

void TestSaveFailures::commandKeepsTheSiteModified()
{
    QFETCH(Command, command);
    QFETCH(Place, place);
    const QString fileName = command == Command::SaveAsCsv   ? QStringLiteral("north.csv")
                             : command == Command::SaveAsCfg ? QStringLiteral("DChannel.cfg")
                                                             : QStringLiteral("north.dip");
    const FailingPlace target(place, fileName);
    DocumentCommands commands(table, dirs);
    const QString sitePath = target.path();
    if (command == Command::Save)
        commands.SetSiteFromDialog(sitePath);
    else
        commands.SetSiteName(QStringLiteral("south"));
    commands.setModified(true);
    const SiteState siteBefore = commands.site();
    const QString captionBefore = commands.caption();

    ScriptedDialogs dialogs;
    // Save As .cfg writes DChannel.cfg beside whatever name was typed.
    dialogs.chooseNext(command == Command::SaveAsCfg
                           ? target.folder() + QDir::separator() + QStringLiteral("any.cfg")
                           : target.path());
    {
        const auto failure = target.arm();
        switch (command) {
        case Command::Save:
            QVERIFY(!commands.SaveSite());
            break;
        case Command::SaveAsDip:
        case Command::SaveAsCsv:
        case Command::SaveAsCfg:
            QVERIFY(!commands.SaveSiteAs());
            break;
        case Command::ExportToCard:
            commands.ExportToCard();
            break;
        }
    }
    QVERIFY(target.unchanged());
    const QString expected = command == Command::SaveAsCfg
                                 ? corvaneFailure(target.folder(), target.description())
                                 : savingFailure(target.description());
    QCOMPARE(dialogs.texts(), QStringList{expected});
    const MessageRequest& box = dialogs.messages().first();
    QCOMPARE(box.title, command == Command::SaveAsCfg ? ApplicationTitle() : EditorTitle());
    if (command == Command::SaveAsCfg)
        QCOMPARE(box.icon, MessageIcon::Exclamation);
    QVERIFY(commands.isModified());
    QCOMPARE(commands.site().siteName, siteBefore.siteName);
    QCOMPARE(commands.site().sitePath, siteBefore.sitePath);
    QCOMPARE(commands.site().siteFileTitle, siteBefore.siteFileTitle);
    QCOMPARE(commands.caption(), captionBefore);
    QCOMPARE(table.channel(0).relNam, QStringLiteral("Edited"));
}

void TestSaveFailures::saveWorksAgainOnceTheLimitIsGone()
{
    const FailingPlace target(WriteFailure::kernelLimitAvailable() ? Place::KernelLimit
                                                                   : Place::SimulatedFullDisk,
                              QStringLiteral("north.dip"));
    DocumentCommands commands(table, dirs);
    commands.SetSiteFromDialog(target.path());
    commands.setModified(true);
    ScriptedDialogs dialogs;
    {
        const auto failure = target.arm();
        QVERIFY(!commands.SaveSite());
    }
    QVERIFY(commands.SaveSite());
    QVERIFY(!commands.isModified());
    const QByteArray bytes = readFile(target.path());
    QCOMPARE(bytes.size(), 16 + 40 * 384);
    QCOMPARE(bytes.mid(16, 16), QByteArray("Edited          "));
    QCOMPARE(QDir(target.folder()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("north.dip")});
}

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
