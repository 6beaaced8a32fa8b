#include "RecoveryCopy.h"

#include "document/SiteSize.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 kMagic = 0x5A524543; // "ZREC"
constexpr quint16 kVersion = 1;

QDataStream& operator<<(QDataStream& out, const ChannelRow& row)
{
    return out << row.relNam << row.back << row.stUp << row.stDn;
}

QDataStream& operator>>(QDataStream& in, ChannelRow& row)
{
    return in >> row.relNam >> row.back >> row.stUp >> row.stDn;
}

bool isSiteSize(qint32 count)
{
    return count > 0 && SiteSize::channelsFor(count) == count;
}

} // namespace

QByteArray RecoveryCopy::encode() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << site.siteName << site.sitePath << site.siteFileTitle << stamp.path
        << stamp.size << stamp.modified << stamp.checksum << saved << qint32(rows.size());
    for (const ChannelRow& row : rows)
        out << row;
    return bytes;
}

bool RecoveryCopy::isFromNewerVersion(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    return in.status() == QDataStream::Ok && magic == kMagic && version > kVersion;
}

std::optional<RecoveryCopy> RecoveryCopy::decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return std::nullopt;
    RecoveryCopy copy;
    qint32 count = 0;
    in >> copy.site.siteName >> copy.site.sitePath >> copy.site.siteFileTitle >> copy.stamp.path >>
        copy.stamp.size >> copy.stamp.modified >> copy.stamp.checksum >> copy.saved >> count;
    if (in.status() != QDataStream::Ok || !isSiteSize(count))
        return std::nullopt;
    copy.rows.resize(count);
    for (ChannelRow& row : copy.rows)
        in >> row;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return copy;
}
