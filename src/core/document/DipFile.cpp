#include "DipFile.h"

#include "ChannelTableModel.h"
#include "common/AtomicFile.h"
#include "common/ShowMessage.h"
#include "common/TrimSpaces.h"
#include "common/Windows1252.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <utility>
#include <vector>

using ModFunc::FailureText;
using ModFunc::ShowMessage;

namespace {

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
    std::memset(field, ' ', width);
    Windows1252::encodeTo(QStringView(text).left(width), field);
}

// A site uses a handful of state texts ("UP ", "DN ", ...): each is decoded once and shared
// by every row that holds it, instead of two allocations per row.
class StateTexts
{
public:
    // The text of the field; valid until the next call.
    const QString& decode(const char* field)
    {
        using R = DipChannelRecord;
        static_assert(R::kStateWidth == 3, "the key holds three bytes");
        const auto byte = [field](int i) { return std::uint32_t(std::uint8_t(field[i])); };
        const std::uint32_t key = byte(0) | byte(1) << 8 | byte(2) << 16;
        for (const auto& [known, text] : texts_) {
            if (known == key)
                return text;
        }
        QString text = Windows1252::decode(QByteArrayView(field, R::kStateWidth));
        if (texts_.size() >= kMaximum) {
            uncached_ = std::move(text);
            return uncached_;
        }
        texts_.emplace_back(key, std::move(text));
        return texts_.back().second;
    }

private:
    static constexpr std::size_t kMaximum = 32;
    std::vector<std::pair<std::uint32_t, QString>> texts_;
    QString uncached_;
};

// Compared here rather than by the library: a state text is three characters.
bool sameCharacters(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.constData()[i] != b.constData()[i])
            return false;
    }
    return true;
}

// A row that already holds the text keeps it: comparing three characters costs less than the
// two reference-count changes of an assignment.
void assignShared(QString& target, const QString& text)
{
    if (!target.isSharedWith(text) && !sameCharacters(target, text))
        target = text;
}

// Written over the row in place: a table that already holds a site keeps its names' buffers
// where nothing else shares them, so reading another file allocates nothing per row.
void decodeRecordInto(const char* record, StateTexts& states, ChannelRow& row)
{
    using R = DipChannelRecord;
    Windows1252::decodeInto(
        ModFunc::TrimSpaces(QByteArrayView(record + R::kNameOffset, R::kNameWidth)), row.relNam);
    row.back = static_cast<unsigned char>(record[R::kBackOffset]) == 1;
    assignShared(row.stUp, states.decode(record + R::kStateUpOffset));
    assignShared(row.stDn, states.decode(record + R::kStateDownOffset));
}

struct ReadRecords
{
    int rows = 0; // less than asked for when the file ends early
    bool failed = false;
};

// Reads up to count records block by block into rows 0.., so no buffer of the file's size is
// needed. After a read error the rows read before it stay.
ReadRecords readRecords(QFile& file, int count, ChannelTableModel& table)
{
    using R = DipChannelRecord;
    std::array<char, 400 * R::kSize> block;
    qsizetype filled = 0;
    ReadRecords read;
    int& written = read.rows;
    StateTexts states;
    while (written < count) {
        const qsizetype wanted = std::min<qsizetype>(qsizetype(count - written) * R::kSize - filled,
                                                     qsizetype(block.size()) - filled);
        const qint64 got = file.read(block.data() + filled, wanted);
        if (got < 0) {
            read.failed = true;
            break;
        }
        if (got == 0)
            break;
        filled += got;
        const qsizetype whole = filled / R::kSize;
        for (qsizetype k = 0; k < whole; ++k)
            decodeRecordInto(block.data() + k * R::kSize, states, *table.writableRow(written++));
        filled -= whole * R::kSize;
        std::memmove(block.data(), block.data() + whole * R::kSize, filled);
    }
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
        ShowMessage(
            QStringLiteral("This software cannot read version %1 dip files").arg(header.version));
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
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
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
    // Sized and selected as fill mode 4 would, but the rows are overwritten in place and only
    // the rows after the file's records go back to their defaults: the same table, without
    // first replacing every text by its default and then by the file's.
    const bool sized = table.SetChannelCount(count, ChannelTableModel::FillAddedRows);
    if (sized && table.channelCount() < count) {
        ShowMessage(ChannelTableModel::maximumChannelsText(table.channelCount()));
        count = table.channelCount();
    }
    if (!sized)
        count = 0;
    // Only the records the header counts are read; missing ones keep their defaults.
    const ReadRecords read = readRecords(file, count, table);
    if (sized && read.rows < table.channelCount())
        table.FillDefaultRows(read.rows);
    if (read.failed)
        return openingFailed(file.errorString());
    ShowMessage(QStringLiteral("%1 channels loaded").arg(count));
    table.RefreshGrid();
    return sized;
}
