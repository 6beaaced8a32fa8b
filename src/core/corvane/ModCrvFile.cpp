#include "ModCrvFile.h"

#include "CorvaneReader.h"
#include "common/AtomicFile.h"
#include "common/FileReader.h"
#include "common/ModFileUtil.h"
#include "common/ShowMessage.h"
#include "common/Windows1252.h"

#include <QDir>

using ModFileUtil::FindFileIgnoringCase;

namespace ModCrvFile {

namespace {

const QByteArray kChannelHeader = QByteArrayLiteral("K7V2.0 DChannels");
const QString kSiteInfoName = QStringLiteral("SiteInfo.cfg");
const QString kChannelsName = QStringLiteral("DChannel.cfg");
constexpr qsizetype kSiteInfoHeaderSize = 21;
constexpr int kMaximumRecords = 32767;

// A channel's text far longer than any real one is kept only this far, so that a damaged or
// hostile file cannot fill the memory; the import keeps 16 characters of a name anyway.
constexpr qint64 kKeptTextBytes = 1024;

void appendInt16(QByteArray& out, qint16 value)
{
    out.append(char(quint16(value) & 0xFF));
    out.append(char(quint16(value) >> 8));
}

// A 16-bit byte count and the text, cut to what the count can hold.
void appendText(QByteArray& out, const QString& text)
{
    const QByteArray bytes = Windows1252::encode(text).left(0xFFFF);
    appendInt16(out, qint16(quint16(bytes.size())));
    out.append(bytes);
}

QByteArray encodeChannels(const DigitalChannelList& allocations)
{
    const int count = std::clamp(LastIndex(allocations), 0, kMaximumRecords);
    QByteArray out = kChannelHeader;
    appendInt16(out, qint16(count));
    for (int k = 1; k <= count; ++k) {
        const DigitalChannelRecord& record = allocations[k];
        appendText(out, record.ChannelName);
        appendText(out, record.text2);
        appendText(out, record.text3);
        appendInt16(out, record.BackContact ? qint16(-1) : qint16(0));
        appendInt16(out, 0);
    }
    return out;
}

SiteInfoRecord decodeSiteInfo(CorvaneReader& reader)
{
    reader.skip(kSiteInfoHeaderSize);
    SiteInfoRecord record;
    record.SiteName = reader.readText();
    record.SiteDir = reader.readText();
    record.text3 = reader.readText();
    record.text4 = reader.readText();
    record.text5 = reader.readText();
    record.data6 = reader.readBlock(6);
    record.text7 = reader.readText();
    record.text8 = reader.readText();
    record.data9 = reader.readBlock(8);
    record.text10 = reader.readText();
    record.text11 = reader.readText();
    record.data12 = reader.readBlock(8);
    record.text13 = reader.readText();
    record.data14 = reader.readBlock(16);
    record.text15 = reader.readText();
    return record;
}

DigitalChannelRecord decodeChannel(CorvaneReader& reader)
{
    DigitalChannelRecord record;
    record.ChannelName = reader.readText(kKeptTextBytes);
    record.text2 = reader.readText(kKeptTextBytes);
    record.text3 = reader.readText(kKeptTextBytes);
    record.BackContact = reader.readBoolean();
    record.lastField = quint16(reader.readInt16());
    return record;
}

} // namespace

SiteInfoRead LoadSiteInfo(const QString& siteDir)
{
    SiteInfoRead read;
    const QString path = FindFileIgnoringCase(siteDir, kSiteInfoName);
    if (!ModFileUtil::FileExists(path))
        return read;
    FileReader file(path);
    CorvaneReader reader(file);
    if (!reader.failed())
        read.record = decodeSiteInfo(reader);
    if (reader.failed()) {
        read.record = {};
        read.failure = ModFunc::FileFailureBox(QStringLiteral("Could not load site info file."),
                                               path, file.error(), MessageIcon::Exclamation);
        return read;
    }
    read.found = true;
    read.record.SiteDir = siteDir;
    return read;
}

SiteScan RegisterSites(const QString& configDir)
{
    SiteScan scan;
    const ModFileUtil::Subdirectories subdirectories = ModFileUtil::ListSubdirectories(configDir);
    if (subdirectories.failure)
        scan.failures.append(*subdirectories.failure);
    for (qsizetype i = 1; i < subdirectories.names.size(); ++i) {
        const SiteInfoRead site =
            LoadSiteInfo(ModFileUtil::JoinPath(configDir, subdirectories.names[i]));
        if (site.failure)
            scan.failures.append(*site.failure);
        if (!site.record.SiteName.isEmpty())
            scan.sites.append(site.record);
    }
    return scan;
}

AllocationsRead LoadDigitalChannels(const QString& siteDir)
{
    AllocationsRead read;
    read.path = FindFileIgnoringCase(siteDir, kChannelsName);
    if (!ModFileUtil::FileExists(read.path))
        return read;
    FileReader file(read.path);
    CorvaneReader reader(file);
    // The header and the records it counts, nothing after them.
    reader.skip(kChannelHeader.size());
    const int count = reader.readInt16();
    for (int k = 1; k <= count && !reader.failed(); ++k)
        read.allocations.append(decodeChannel(reader));
    if (reader.failed()) {
        read.allocations = {DigitalChannelRecord{}};
        read.failure = file.error();
    }
    return read;
}

FileResult SaveDigitalChannels(const QString& directory, const DigitalChannelList& allocations)
{
    QString folder = directory;
    // A file dialog ends a directory with "/" even on Windows; the root keeps its own.
    if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(QDir::separator())))
        folder.chop(1);
    const QString path = FindFileIgnoringCase(folder, kChannelsName);
    FileResult result = AtomicFile::write(path, encodeChannels(allocations));
    result.path = path;
    return result;
}

MessageRequest LoadChannelsFailure(const QString& path, const QString& description)
{
    return ModFunc::FileFailureBox(
        QStringLiteral("Could not load digital channel allocations file."), path, description,
        MessageIcon::Information);
}

MessageRequest SaveChannelsFailure(const QString& path, const QString& description)
{
    return ModFunc::FileFailureBox(QStringLiteral("Could not save digital channels config file."),
                                   path, description, MessageIcon::Exclamation);
}

} // namespace ModCrvFile
