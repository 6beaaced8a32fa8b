#include "ModCrvFile.h"

#include "CorvaneReader.h"
#include "common/AtomicFile.h"
#include "common/Dialogs.h"
#include "common/ModFileUtil.h"
#include "common/Windows1252.h"

#include <QDir>
#include <QFile>

#include <optional>

using ModFileUtil::FileExists;
using ModFileUtil::JoinPath;

namespace ModCrvFile {

namespace {

const QByteArray kChannelHeader = QByteArrayLiteral("K7V2.0 DChannels");
constexpr qsizetype kSiteInfoHeaderSize = 21;
constexpr int kMaximumRecords = 32767;

void reportFailure(const QString& operation, const QString& path, const QString& description,
                   MessageIcon icon)
{
    AskUser(operation + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + description,
            ApplicationTitle(), icon, MessageButtons::Ok);
}

// The whole file, or nullopt when it cannot be read (the description is in `error`).
std::optional<QByteArray> readWholeFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

// A site file's bytes; nullopt when it is missing (said nowhere) or cannot be read (reported).
std::optional<QByteArray> readSiteFile(const QString& path, const QString& failure,
                                       MessageIcon icon)
{
    if (!FileExists(path))
        return std::nullopt;
    QString error;
    std::optional<QByteArray> bytes = readWholeFile(path, error);
    if (!bytes)
        reportFailure(failure, path, error, icon);
    return bytes;
}

void appendInt16(QByteArray& out, qint16 value)
{
    out.append(char(quint16(value) & 0xFF));
    out.append(char(quint16(value) >> 8));
}

// Encoded straight into the output, then cut to what the 16-bit count can hold.
void appendText(QByteArray& out, QStringView text)
{
    const qsizetype at = out.size();
    out.resize(at + 2 + text.size());
    const qsizetype bytes =
        std::min<qsizetype>(Windows1252::encodeTo(text, out.data() + at + 2), 0xFFFF);
    out[at] = char(bytes & 0xFF);
    out[at + 1] = char(bytes >> 8);
    out.truncate(at + 2 + bytes);
}

QByteArray encodeChannels(const DigitalChannelList& allocations)
{
    const int count = std::min(allocations.lastIndex(), kMaximumRecords);
    QByteArray out = kChannelHeader;
    // A count, three short texts, the contact and the last field: about 32 bytes a record.
    out.reserve(kChannelHeader.size() + 2 + qsizetype(std::max(count, 0)) * 32);
    appendInt16(out, qint16(std::max(count, 0)));
    for (int k = 1; k <= count; ++k) {
        appendText(out, allocations.channelName(k));
        appendText(out, allocations.text2(k));
        appendText(out, allocations.text3(k));
        appendInt16(out, allocations.backContact(k) ? qint16(-1) : qint16(0));
        appendInt16(out, 0);
    }
    return out;
}

} // namespace

void LoadSiteInfo(const QString& siteDir, SiteInfoRecord& record)
{
    const std::optional<QByteArray> bytes =
        readSiteFile(JoinPath(siteDir, QStringLiteral("SiteInfo.cfg")),
                     QStringLiteral("Could not load site info file."), MessageIcon::Exclamation);
    if (!bytes)
        return;
    CorvaneReader reader(*bytes);
    reader.skip(kSiteInfoHeaderSize);
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
    record.SiteDir = siteDir;
}

void RegisterSites(const QString& configDir, QList<SiteInfoRecord>& sites)
{
    sites = {SiteInfoRecord{}};
    const QStringList names = ModFileUtil::ListSubdirectories(configDir);
    SiteInfoRecord working;
    for (qsizetype i = 1; i < names.size(); ++i) {
        working.SiteName.clear();
        LoadSiteInfo(JoinPath(configDir, names[i]), working);
        if (!working.SiteName.isEmpty())
            sites.append(working);
    }
}

void LoadDigitalChannels(const QString& siteDir, DigitalChannelList& allocations)
{
    allocations.clear();
    const std::optional<QByteArray> bytes =
        readSiteFile(JoinPath(siteDir, QStringLiteral("DChannel.cfg")),
                     QStringLiteral("Could not load digital channel allocations file."),
                     MessageIcon::Information);
    if (!bytes)
        return;
    CorvaneReader reader(*bytes);
    reader.skip(kChannelHeader.size());
    const int count = reader.readInt16();
    if (count <= 0)
        return;
    allocations.readRecords(reader.rest(), count);
}

bool SaveDigitalChannels(const QString& directory, const DigitalChannelList& allocations)
{
    QString folder = directory;
    // Qt's file dialogs end a Windows directory with "/", not with the native separator.
    if (!folder.endsWith(QDir::separator()) && !folder.endsWith(u'/'))
        folder += QDir::separator();
    const QString path = folder + QStringLiteral("DChannel.cfg");
    const FileResult result = AtomicFile::write(path, encodeChannels(allocations));
    if (!result)
        reportFailure(QStringLiteral("Could not save digital channels config file."), path,
                      result.error, MessageIcon::Exclamation);
    return result.ok;
}

} // namespace ModCrvFile
