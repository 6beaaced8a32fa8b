#include "DipFile.h"

#include "ChannelTableModel.h"
#include "common/AtomicFile.h"
#include "common/ShowMessage.h"
#include "common/Windows1252.h"

#include <QFile>

#include <cstring>

using ModFunc::FailureText;
using ModFunc::ShowMessage;

namespace {

template <typename T>
T readLittleEndian(const char* bytes)
{
    std::make_unsigned_t<T> value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= std::make_unsigned_t<T>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return static_cast<T>(value);
}

template <typename T>
void appendLittleEndian(QByteArray& out, T value)
{
    const auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.append(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

// The text's first `width` bytes, padded with spaces; never zero-terminated.
void putPadded(char* field, const QString& text, int width)
{
    const QByteArray bytes = Windows1252::encode(QStringView(text).left(width));
    std::memset(field, ' ', width);
    std::memcpy(field, bytes.constData(), std::min<qsizetype>(bytes.size(), width));
}

QString trimSpaces(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && bytes[begin] == ' ')
        ++begin;
    while (end > begin && bytes[end - 1] == ' ')
        --end;
    return Windows1252::decode(bytes.sliced(begin, end - begin));
}

ChannelRow decodeRecord(const char* record)
{
    using R = DipChannelRecord;
    ChannelRow row;
    row.relNam = trimSpaces(QByteArrayView(record + R::kNameOffset, R::kNameWidth));
    row.back = static_cast<unsigned char>(record[R::kBackOffset]) == 1;
    row.stUp = Windows1252::decode(QByteArrayView(record + R::kStateUpOffset, R::kStateWidth));
    row.stDn = Windows1252::decode(QByteArrayView(record + R::kStateDownOffset, R::kStateWidth));
    return row;
}

QString maximumChannelsText(int channels)
{
    return QStringLiteral("This copy of ZR415Config can handle a maximum of %1 channels.")
        .arg(channels);
}

} // namespace

DipHeader DipHeader::fromBytes(const char* bytes)
{
    DipHeader header;
    header.flag = readLittleEndian<std::uint32_t>(bytes);
    header.fileType = readLittleEndian<std::int16_t>(bytes + 4);
    header.version = readLittleEndian<std::int16_t>(bytes + 6);
    header.channelCount = readLittleEndian<std::int32_t>(bytes + 8);
    header.reserved = readLittleEndian<std::uint32_t>(bytes + 12);
    return header;
}

void DipHeader::appendTo(QByteArray& out) const
{
    appendLittleEndian(out, flag);
    appendLittleEndian(out, fileType);
    appendLittleEndian(out, version);
    appendLittleEndian(out, channelCount);
    appendLittleEndian(out, reserved);
}

QByteArray EncodeDipFile(const ChannelTableModel& table)
{
    using R = DipChannelRecord;
    const int channels = table.channelCount();
    QByteArray out;
    out.reserve(DipHeader::kSize + R::kSize * channels);
    DipHeader header;
    header.channelCount = channels;
    header.appendTo(out);
    out.resize(DipHeader::kSize + R::kSize * qsizetype(channels), '\0');
    for (int row = 0; row < channels; ++row) {
        const ChannelRow& channel = table.channel(row);
        char* record = out.data() + DipHeader::kSize + R::kSize * qsizetype(row);
        putPadded(record + R::kNameOffset, channel.relNam, R::kNameWidth);
        record[R::kBackOffset] = channel.back ? 1 : 0;
        record[R::kOneOffset] = 1;
        putPadded(record + R::kStateUpOffset, channel.stUp, R::kStateWidth);
        putPadded(record + R::kStateDownOffset, channel.stDn, R::kStateWidth);
    }
    return out;
}

bool SaveDipFile(const ChannelTableModel& table, const QString& path)
{
    const FileResult result = AtomicFile::write(path, EncodeDipFile(table));
    if (!result)
        ShowMessage(FailureText(QStringLiteral("Error occurred while saving."), result.error));
    return result.ok;
}

bool CheckDipHeader(const DipHeader& header)
{
    if (header.flag != DipHeader::kFlag) {
        ShowMessage(QStringLiteral("File flag incorrect - this is not an ZR415 file"));
        return false;
    }
    if (header.fileType != DipHeader::kFileType) {
        ShowMessage(QStringLiteral("File type incorrect - this is not a dip file"));
        return false;
    }
    if (header.version != DipHeader::kVersion) {
        ShowMessage(QStringLiteral("This software cannot read version %1 dip files")
                        .arg(header.version));
        return false;
    }
    return true;
}

bool LoadDipFile(ChannelTableModel& table, const QString& path)
{
    const auto openingFailed = [](const QString& description) {
        ShowMessage(FailureText(QStringLiteral("Error occurred while opening."), description));
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openingFailed(file.errorString());
    const QByteArray headerBytes = file.read(DipHeader::kSize);
    if (headerBytes.size() < DipHeader::kSize) {
        if (file.error() != QFileDevice::NoError)
            return openingFailed(file.errorString());
        ShowMessage(QStringLiteral("File too short"));
        return false;
    }
    const DipHeader header = DipHeader::fromBytes(headerBytes.constData());
    if (!CheckDipHeader(header))
        return false;
    int count = header.channelCount;
    const bool sized = table.SetChannelCount(count, ChannelTableModel::FillAllRows);
    if (sized && table.channelCount() < count) {
        ShowMessage(maximumChannelsText(table.channelCount()));
        count = table.channelCount();
    }
    if (!sized)
        count = 0;
    // Only the records the header counts are read; missing ones keep their defaults.
    const QByteArray records = file.read(qint64(count) * DipChannelRecord::kSize);
    if (file.error() != QFileDevice::NoError)
        return openingFailed(file.errorString());
    const int present = int(records.size() / DipChannelRecord::kSize);
    for (int row = 0; row < present; ++row)
        table.setChannel(row, decodeRecord(records.constData() + row * DipChannelRecord::kSize));
    ShowMessage(QStringLiteral("%1 channels loaded").arg(count));
    table.RefreshGrid();
    return sized;
}
