// The savers and their readers together: rows built from the input are written as a .dip
// file, a CSV list and a DChannel.cfg, and each reads back as the format keeps it.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "common/Windows1252.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

using FuzzChecks::trimmedSpaces;

// Characters that matter to the formats: separators, quotes, spares' letters, characters
// outside ASCII that Windows-1252 holds, and ones it cannot hold (a lone surrogate and a pair).
const char16_t kAlphabet[] = {u'A',   u'b',   u'1',   u' ',   u',',   u'"',   u'S',  u'P',
                              u'A',   u'R',   u'E',   u'(',   u')',   u'\0',  u'\t', 0x00E9,
                              0x20AC, 0x0151, 0xD83D, 0xDE00, 0x0081, 0x00FF, 0x00DF};

class InputReader
{
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return position_ >= size_; }
    unsigned next() { return atEnd() ? 0u : data_[position_++]; }
    QString text(int longest)
    {
        QString text;
        const int length = int(next() % unsigned(longest + 1));
        for (int i = 0; i < length && !atEnd(); ++i)
            text += QChar(kAlphabet[next() % std::size(kAlphabet)]);
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// The text after a trip through one of the files' single-byte fields of that width.
QString throughField(const QString& text, int width)
{
    QByteArray bytes = Windows1252::encode(QStringView(text).left(width));
    bytes.resize(width, ' ');
    return Windows1252::decode(bytes);
}

// A written list is Windows-1252, yet one whose bytes happen to be valid UTF-8 reads as UTF-8,
// as a spreadsheet's list without the mark does: "ß€" comes back as "߀". (ASCII reads the same
// either way.)
bool readsAsUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8(bytes); // the decoder finds errors only as it makes the text
    return !utf8.hasError();
}

bool isCsvSpare(const QString& trimmed)
{
    const QString upper = trimmed.toUpper();
    return upper.startsWith(QStringLiteral("SPARE")) || upper == QStringLiteral("(SPARE)") ||
           upper == QStringLiteral("SP");
}

// One or two units of rows; the input names the rows it reaches, the rest keep the defaults.
ChannelRows makeRows(InputReader& input)
{
    ChannelRows rows = DefaultRows(int(input.next() % 2 + 1) * ModFunc::kChannelsPerUnit);
    for (ChannelRow& row : rows) {
        if (input.atEnd())
            break;
        const unsigned flags = input.next();
        row.relNam = input.text(20);
        row.back = flags & 1;
        if (flags & 2)
            row.stUp = input.text(4);
        if (flags & 4)
            row.stDn = input.text(4);
    }
    return rows;
}

void checkDip(const ChannelRows& rows, const QString& path)
{
    FUZZ_CHECK(SaveDipFile(rows, path));
    QFile saved(path);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    FUZZ_CHECK(bytes.size() == DipHeader::kSize + qint64(DipChannelRecord::kSize) * rows.size());
    FUZZ_CHECK(bytes == EncodeDipFile(rows));
    const SiteRead read = LoadDipFile(path);
    FUZZ_CHECK(read.outcome == SiteRead::Outcome::Loaded);
    FUZZ_CHECK(read.notices == QStringList{QStringLiteral("%1 channels loaded").arg(rows.size())});
    FUZZ_CHECK(read.rows.size() == rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const ChannelRow& written = rows[row];
        const ChannelRow& back = read.rows[row];
        FUZZ_CHECK(back.relNam == trimmedSpaces(throughField(written.relNam, 16)));
        FUZZ_CHECK(back.back == written.back);
        FUZZ_CHECK(back.stUp == throughField(written.stUp, 3));
        FUZZ_CHECK(back.stDn == throughField(written.stDn, 3));
    }
}

void checkCsv(const ChannelRows& rows, const QString& path)
{
    FUZZ_CHECK(SaveCsvFile(rows, path));
    QFile saved(path);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    const bool utf8 = readsAsUtf8(saved.readAll());
    const CsvQuestion noQuestion = [](const QString&) -> bool {
        FuzzChecks::fail("a saved list reads without a question", __FILE__, __LINE__);
    };
    const SiteRead read = LoadCsvFile(path, DefaultRows(ModFunc::kChannelsPerUnit), noQuestion);
    FUZZ_CHECK(read.outcome == SiteRead::Outcome::Loaded);
    FUZZ_CHECK(read.notices ==
               QStringList{QStringLiteral("%1 channels imported").arg(rows.size())});
    FUZZ_CHECK(read.rows.size() == rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QByteArray bytes = Windows1252::encode(rows[row].relNam.left(16));
        const QString name =
            trimmedSpaces(utf8 ? QString::fromUtf8(bytes) : Windows1252::decode(bytes));
        const QString expected = isCsvSpare(name) ? SpareName(row + 1) : name;
        FUZZ_CHECK(read.rows[row].relNam == expected);
        FUZZ_CHECK(read.rows[row].back == rows[row].back);
    }
}

void checkCorvane(const ChannelRows& rows)
{
    const FileResult saved = SaveCorvaneChannelFile(rows, FuzzFiles::folder());
    FUZZ_CHECK(saved);
    FUZZ_CHECK(saved.path ==
               FuzzFiles::folder() + QDir::separator() + QStringLiteral("DChannel.cfg"));
    const ModCrvFile::AllocationsRead read = ModCrvFile::LoadDigitalChannels(FuzzFiles::folder());
    FUZZ_CHECK(!read.failure && read.path == saved.path);
    FUZZ_CHECK(LastIndex(read.allocations) == rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const DigitalChannelRecord& record = read.allocations[row + 1];
        FUZZ_CHECK(record.ChannelName ==
                   Windows1252::decode(Windows1252::encode(rows[row].relNam.left(16))));
        FUZZ_CHECK(record.BackContact == rows[row].back);
        FUZZ_CHECK(record.text2.isEmpty() && record.text3.isEmpty() && record.lastField == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    const FuzzDialogs dialogs;
    const ChannelRows rows = makeRows(input);
    const QString folder = FuzzFiles::folder() + QDir::separator();
    checkDip(rows, folder + QStringLiteral("site.dip"));
    checkCsv(rows, folder + QStringLiteral("list.csv"));
    checkCorvane(rows);
    return 0;
}
