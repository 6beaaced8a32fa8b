#include "DipFile.h"

#include "SiteSize.h"
#include "common/AtomicFile.h"
#include "common/FileReader.h"
#include "common/TrimSpaces.h"
#include "common/Windows1252.h"

#include <QtEndian>

#include <cstring>

namespace {

using Record = DipChannelRecord;

// The text's first `width` characters, padded with spaces; never zero-terminated.
// Written in place: a copy per field costs more than the rest of a save's encoding.
void putPadded(char* field, const QString& text, int width)
{
    const qsizetype written = Windows1252::encodeInto(QStringView(text).left(width), field);
    std::memset(field + written, ' ', width - written);
}

ChannelRow decodeRecord(const char* record)
{
    ChannelRow row;
    row.relNam = Windows1252::decode(
        ModFunc::TrimSpaces(QByteArrayView(record + Record::kNameOffset, Record::kNameWidth)));
    row.back = static_cast<unsigned char>(record[Record::kBackOffset]) == 1;
    row.stUp = Windows1252::decode(QByteArrayView(record + Record::kStateUpOffset, 3));
    row.stDn = Windows1252::decode(QByteArrayView(record + Record::kStateDownOffset, 3));
    return row;
}

SiteRead failedCheck(const QString& path, const QStringList& notices)
{
    SiteRead read = SiteRead::failed(path, QString());
    read.notices = notices;
    return read;
}

} // namespace

DipHeader DipHeader::fromBytes(const char* bytes)
{
    DipHeader header;
    header.flag = qFromLittleEndian<std::uint32_t>(bytes);
    header.fileType = qFromLittleEndian<std::int16_t>(bytes + 4);
    header.version = qFromLittleEndian<std::int16_t>(bytes + 6);
    header.channelCount = qFromLittleEndian<std::int32_t>(bytes + 8);
    header.reserved = qFromLittleEndian<std::uint32_t>(bytes + 12);
    return header;
}

QString CheckDipHeader(const DipHeader& header)
{
    if (header.flag != DipHeader::kFlag)
        return QStringLiteral("File flag incorrect - this is not an ZR415 file");
    if (header.fileType != DipHeader::kFileType)
        return QStringLiteral("File type incorrect - this is not a dip file");
    if (header.version != DipHeader::kVersion)
        return QStringLiteral("This software cannot read version %1 dip files").arg(header.version);
    return QString();
}

SiteRead LoadDipFile(const QString& path)
{
    FileReader file(path);
    const QByteArray headerBytes = file.read(DipHeader::kSize);
    if (file.failed())
        return SiteRead::failed(path, file.error());
    if (headerBytes.size() < DipHeader::kSize)
        return failedCheck(path, {QStringLiteral("File too short")});
    const DipHeader header = DipHeader::fromBytes(headerBytes.constData());
    if (const QString mismatch = CheckDipHeader(header); !mismatch.isEmpty())
        return failedCheck(path, {mismatch});
    int count = header.channelCount;
    if (count <= 0) {
        return failedCheck(path, {QStringLiteral("Error setting no of channels."),
                                  QStringLiteral("0 channels loaded")});
    }
    SiteRead read;
    read.path = path;
    const int channels = SiteSize::channelsFor(count);
    if (channels < count) {
        read.notices.append(SiteSize::maximumChannelsText(channels));
        read.outcome = SiteRead::Outcome::Cut;
        count = channels;
    }
    // Only the records the header counts are read; the rows of missing ones and those after
    // them are default rows.
    const QByteArray records = file.read(qint64(count) * Record::kSize);
    if (file.failed())
        return SiteRead::failed(path, file.error());
    read.rows.reserve(channels);
    for (int k = 0; k < count && (k + 1) * Record::kSize <= records.size(); ++k)
        read.rows.append(decodeRecord(records.constData() + k * Record::kSize));
    AppendDefaultRows(read.rows, channels);
    read.notices.append(QStringLiteral("%1 channels loaded").arg(count));
    return read;
}

QByteArray EncodeDipFile(const ChannelRows& rows)
{
    QByteArray out(DipHeader::kSize + Record::kSize * rows.size(), '\0');
    qToLittleEndian<std::uint32_t>(DipHeader::kFlag, out.data());
    qToLittleEndian<std::int16_t>(DipHeader::kFileType, out.data() + 4);
    qToLittleEndian<std::int16_t>(DipHeader::kVersion, out.data() + 6);
    qToLittleEndian<std::int32_t>(std::int32_t(rows.size()), out.data() + 8);
    char* record = out.data() + DipHeader::kSize;
    for (const ChannelRow& row : rows) {
        putPadded(record + Record::kNameOffset, row.relNam, Record::kNameWidth);
        record[Record::kBackOffset] = row.back ? 1 : 0;
        record[Record::kOneOffset] = 1;
        putPadded(record + Record::kStateUpOffset, row.stUp, Record::kStateWidth);
        putPadded(record + Record::kStateDownOffset, row.stDn, Record::kStateWidth);
        record += Record::kSize;
    }
    return out;
}

FileResult SaveDipFile(const ChannelRows& rows, const QString& path)
{
    return AtomicFile::write(path, EncodeDipFile(rows));
}
