#include "CsvFile.h"

#include "ChannelTableModel.h"
#include "common/AtomicFile.h"
#include "common/ChannelLabel.h"
#include "common/Dialogs.h"
#include "common/ShowMessage.h"
#include "common/SplitFields.h"
#include "common/TrimSpaces.h"
#include "common/Windows1252.h"

#include <QFile>
#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define ZR415_CSV_SSE2
#endif

using ModFunc::ChannelLabel;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QString quotedIfNeeded(const QString& name)
{
    if (!name.contains(u',') && !name.contains(u'"'))
        return name;
    QString quoted = name;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool isSpareMarker(const QString& trimmedName)
{
    const QString upper = trimmedName.toUpper();
    return upper.left(5) == QLatin1String("SPARE") || upper == QLatin1String("(SPARE)") ||
           upper == QLatin1String("SP");
}

// One line of the file's bytes, with the fields the reader takes from it when the line holds
// no double quote: those split at every comma, as SplitFields splits. Line breaks, commas
// and quotes are ASCII in Windows-1252, so the bytes split as their text would.
struct ScannedLine
{
    QByteArrayView bytes;
    bool quoted = false;
    int fieldCount = 0; // 3 stands for three or more
    QByteArrayView channel;
    QByteArrayView name;
    bool back = false; // the third field begins with B or b
};

// The bytes of a 64-byte block that end a line, split fields or open a quote: one bit per
// byte, the block's first byte in the lowest bit.
struct BlockMasks
{
    quint64 breaks = 0;
    quint64 commas = 0;
    quint64 quotes = 0;
};

#ifdef ZR415_CSV_SSE2

BlockMasks masksOf(const char* block)
{
    const auto maskOf = [](__m128i equal) { return quint64(unsigned(_mm_movemask_epi8(equal))); };
    BlockMasks masks;
    for (int k = 0; k < 4; ++k) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                            _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
        masks.breaks |= maskOf(breaks) << (16 * k);
        masks.commas |= maskOf(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))) << (16 * k);
        masks.quotes |= maskOf(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'))) << (16 * k);
    }
    return masks;
}

#else

constexpr quint64 kEveryByte = 0x0101010101010101;

// The top bit of each byte set where the byte equals c, exactly: no carries between bytes.
quint64 bytesEqual(quint64 word, char c)
{
    constexpr quint64 kLowSeven = 0x7F * kEveryByte;
    const quint64 x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return ~(((x & kLowSeven) + kLowSeven) | x | kLowSeven);
}

// The top bits of the eight bytes gathered into the eight low bits, in order.
quint64 gathered(quint64 topBits)
{
    return ((topBits >> 7) * 0x0102040810204080) >> 56;
}

BlockMasks masksOf(const char* block)
{
    BlockMasks masks;
    for (int k = 0; k < 8; ++k) {
        const quint64 word = qFromLittleEndian<quint64>(block + 8 * k);
        const quint64 breaks = bytesEqual(word, '\r') | bytesEqual(word, '\n');
        masks.breaks |= gathered(breaks) << (8 * k);
        masks.commas |= gathered(bytesEqual(word, ',')) << (8 * k);
        masks.quotes |= gathered(bytesEqual(word, '"')) << (8 * k);
    }
    return masks;
}

#endif

// The lines of the file's bytes, one after the other. A line ends at CR LF, a lone CR or a
// lone LF; an end of file after a line break starts no further line. Line breaks, commas and
// quotes are marked 64 bytes at a time, as bit masks, and the lines are cut from the masks: a
// search byte by byte could not start on a line before the one before it had ended, and took
// most of a load.
class LineScanner
{
public:
    explicit LineScanner(QByteArrayView text) : text_(text) {}

    // False at the end.
    bool next(ScannedLine& line)
    {
        const qsizetype size = text_.size();
        if (pos_ >= size)
            return false;
        std::array<qsizetype, 2> commas{};
        int found = 0;
        bool quoted = false;
        qsizetype at = pos_;
        qsizetype end = size;
        for (;;) {
            const qsizetype block = at & ~qsizetype(63);
            if (block != block_)
                load(block);
            const quint64 ahead = ~quint64(0) << (at - block);
            const quint64 breaks = masks_.breaks & ahead;
            const quint64 inLine =
                (breaks != 0 ? (breaks & (0 - breaks)) - 1 : ~quint64(0)) & ahead;
            quoted = quoted || (masks_.quotes & inLine) != 0;
            for (quint64 c = masks_.commas & inLine; c != 0 && found < 2; c &= c - 1)
                commas[found++] = block + std::countr_zero(c);
            if (breaks != 0) {
                end = block + std::countr_zero(breaks);
                break;
            }
            at = block + 64;
            if (at >= size)
                break;
        }
        const auto field = [&](int k) {
            const qsizetype from = k == 0 ? pos_ : commas[k - 1] + 1;
            const qsizetype to = k < found ? commas[k] : end;
            return text_.sliced(from, to - from);
        };
        line.bytes = text_.sliced(pos_, end - pos_);
        line.quoted = quoted;
        line.fieldCount = found + 1;
        line.channel = field(0);
        line.name = found >= 1 ? field(1) : QByteArrayView();
        // The third field runs to the next comma; only its first byte counts.
        const qsizetype contact = found >= 2 ? commas[1] + 1 : end;
        line.back = contact < end && (text_[contact] == 'B' || text_[contact] == 'b');
        pos_ = end;
        if (pos_ < size) {
            if (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n')
                ++pos_;
            ++pos_;
        }
        return true;
    }

private:
    // The last block is copied, zero-filled, for reading whole; a zero byte is none of those
    // looked for.
    void load(qsizetype block)
    {
        block_ = block;
        if (text_.size() - block >= 64) {
            masks_ = masksOf(text_.data() + block);
            return;
        }
        std::array<char, 64> last{};
        std::memcpy(last.data(), text_.data() + block, text_.size() - block);
        masks_ = masksOf(last.data());
    }

    QByteArrayView text_;
    qsizetype pos_ = 0;
    qsizetype block_ = -1;
    BlockMasks masks_;
};

std::optional<int> channelNumberOf(QByteArrayView field)
{
    // A label as the writer puts it (AA01 .. HH48) is read at once, to the same number.
    const auto letter = [&](int i) { return field[i] >= 'A' && field[i] <= 'H'; };
    const auto digit = [&](int i) { return field[i] >= '0' && field[i] <= '9'; };
    if (field.size() == 4 && letter(0) && letter(1) && digit(2) && digit(3)) {
        return (field[0] - 'A') * ModFunc::kChannelsPerUnit +
               (field[1] - 'A') * ModFunc::kChannelsPerCard + (field[2] - '0') * 10 +
               (field[3] - '0');
    }
    QVarLengthArray<char16_t, 32> text(field.size());
    for (qsizetype i = 0; i < field.size(); ++i)
        text[i] = char16_t(Windows1252::decodeByte(static_cast<unsigned char>(field[i])));
    return ModFunc::ChannelNumberFromLabel(QStringView(text.data(), text.size()));
}

bool equalsIgnoringAsciiCase(QByteArrayView bytes, QLatin1String upper)
{
    if (bytes.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != upper[i])
            return false;
    }
    return true;
}

// isSpareMarker on the bytes of a trimmed name: no Windows-1252 character outside ASCII
// turns into an ASCII letter or bracket in upper case, so the ASCII comparison decides.
bool isSpareMarker(QByteArrayView trimmedName)
{
    return equalsIgnoringAsciiCase(trimmedName.first(std::min<qsizetype>(5, trimmedName.size())),
                                   QLatin1String("SPARE")) ||
           equalsIgnoringAsciiCase(trimmedName, QLatin1String("(SPARE)")) ||
           equalsIgnoringAsciiCase(trimmedName, QLatin1String("SP"));
}

CsvLineVerdict askToContinue(const QString& text, CsvLineVerdict onOk)
{
    const MessageAnswer answer =
        AskUser(text, ApplicationTitle(), MessageIcon::Question, MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok ? onOk : CsvLineVerdict::Abort;
}

QString subscriptOutOfRange()
{
    return QStringLiteral("Subscript out of range");
}

} // namespace

QString CsvLine(const QString& label, const QString& relayName, bool back)
{
    return label + u',' + quotedIfNeeded(relayName.left(ChannelTableModel::kRelayNameLimit)) +
           u',' + (back ? QStringLiteral("Back") : QStringLiteral("Front")) + kLineBreak;
}

FileResult SaveCsvFile(const ChannelTableModel& table, const QString& path)
{
    // The lines of CsvLine, encoded straight into the file's bytes: label, a name of at most
    // 16 characters (34 bytes when quoted), "Front" and the line break.
    constexpr qsizetype kLongestLine = 4 + 1 + 34 + 1 + 5 + 2;
    QByteArray bytes(table.channelCount() * kLongestLine, Qt::Uninitialized);
    char* out = bytes.data();
    const auto put = [&out](QLatin1String text) {
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    };
    for (int row = 0; row < table.channelCount(); ++row) {
        const ChannelRow& channel = table.channel(row);
        if (ModFunc::WriteChannelLabel(row + 1, out))
            out += 4;
        *out++ = ',';
        const QStringView name =
            QStringView(channel.relNam).left(ChannelTableModel::kRelayNameLimit);
        if (std::any_of(name.begin(), name.end(), [](QChar c) { return c == u',' || c == u'"'; }))
            out += Windows1252::encodeTo(quotedIfNeeded(name.toString()), out);
        else
            out += Windows1252::encodeTo(name, out);
        put(channel.back ? QLatin1String(",Back\r\n") : QLatin1String(",Front\r\n"));
    }
    bytes.truncate(out - bytes.constData());
    return AtomicFile::write(path, bytes);
}

QStringList SplitCsvLine(const QString& line)
{
    if (!line.contains(u'"'))
        return ModFunc::SplitFields(line, u",");
    QStringList fields{QString()};
    const qsizetype size = line.size();
    qsizetype i = 0;
    for (;;) {
        QString field;
        if (i < size && line[i] == u'"') {
            for (++i; i < size; ++i) {
                if (line[i] != u'"') {
                    field += line[i];
                } else if (i + 1 < size && line[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const qsizetype comma = line.indexOf(u',', i);
        field += QStringView(line).mid(i, comma < 0 ? size - i : comma - i);
        fields.append(field);
        if (comma < 0)
            return fields;
        i = comma + 1;
    }
}

CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected)
{
    CsvLineCheck check;
    if (fields.size() - 1 < 2) {
        check.verdict = askToContinue(QStringLiteral("Not enough fields found in line:-") +
                                          kLineBreak + u'"' + line.left(64) + u'"' + kLineBreak +
                                          QStringLiteral("Continue loading?"),
                                      CsvLineVerdict::Continue);
        return check;
    }
    const std::optional<int> channel = ModFunc::ChannelNumberFromLabel(fields[1]);
    if (!channel) {
        check.overflow = true;
        check.verdict = CsvLineVerdict::Abort;
        return check;
    }
    check.channel = *channel;
    if (check.channel == 0) {
        check.verdict =
            askToContinue(QStringLiteral("Invalid channel number found on line. ") + kLineBreak +
                              u'"' + line + u'"' + kLineBreak + QStringLiteral("Continue loading?"),
                          CsvLineVerdict::Continue);
        return check;
    }
    if (check.channel == expected) {
        check.verdict = CsvLineVerdict::Ok;
        return check;
    }
    const QString question = QStringLiteral("Unexpected channel number.") + kLineBreak +
                             QStringLiteral("Expected %1 (%2), got %3 (%4)")
                                 .arg(ChannelLabel(expected))
                                 .arg(expected)
                                 .arg(ChannelLabel(check.channel))
                                 .arg(check.channel) +
                             kLineBreak + QStringLiteral("Continue loading?");
    check.verdict = askToContinue(question, CsvLineVerdict::Ok);
    return check;
}

CsvLoadResult LoadCsvFile(ChannelTableModel& table, const QString& path)
{
    CsvLoadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.file = FileResult::failure(file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.file = FileResult::failure(file.errorString());
        return result;
    }
    // Rows stored before a failure stay, so the view is refreshed on every way out.
    const auto failed = [&](const QString& description) {
        table.RefreshGrid();
        result.file = FileResult::failure(description);
        return result;
    };
    int expected = 1;
    int& last = result.lastChannel;
    LineScanner lines(bytes);
    ScannedLine plain;
    while (lines.next(plain)) {
        // The usual line, unquoted and carrying the expected channel, is taken from its bytes;
        // every other line goes through the full check with its questions.
        const bool usual =
            !plain.quoted && plain.fieldCount >= 2 && channelNumberOf(plain.channel) == expected;
        QString line;
        QStringList fields;
        CsvLineCheck check{CsvLineVerdict::Ok, expected, false};
        if (!usual) {
            line = Windows1252::decode(plain.bytes);
            fields = SplitCsvLine(line);
            check = CheckCsvLine(line, fields, expected);
        }
        if (check.overflow)
            return failed(ModFunc::OverflowDescription());
        if (check.verdict == CsvLineVerdict::Abort) {
            result.aborted = true;
            break;
        }
        if (check.verdict == CsvLineVerdict::Ok) {
            const int c = check.channel;
            if (c > table.channelCount())
                table.SetChannelCount(c, ChannelTableModel::FillAddedRows);
            if (table.channelCount() < c) {
                ModFunc::ShowMessage(ChannelTableModel::maximumChannelsText(table.channelCount()));
                break;
            }
            last = c;
            ChannelRow* row = table.writableRow(c - 1);
            if (!row)
                return failed(subscriptOutOfRange());
            if (usual) {
                const QByteArrayView trimmed = ModFunc::TrimSpaces(plain.name);
                if (isSpareMarker(trimmed))
                    ChannelTableModel::assignSpareName(row->relNam, c);
                else
                    Windows1252::decodeInto(trimmed, row->relNam);
                row->back = plain.back;
            } else {
                QString name = ModFunc::TrimSpaces(QStringView(fields[2])).toString();
                if (isSpareMarker(name))
                    name = ChannelTableModel::spareName(c);
                const QString contact =
                    fields.size() - 1 >= 3 ? fields[3].left(1) : QStringLiteral("F");
                row->relNam = std::move(name);
                row->back = contact == QLatin1String("B") || contact == QLatin1String("b");
            }
        }
        expected = last + 1;
    }
    ModFunc::ShowMessage(QStringLiteral("%1 channels imported").arg(last));
    table.RefreshGrid();
    return result;
}
