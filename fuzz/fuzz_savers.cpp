// The savers and their readers together: a table built from the input is written as a .dip
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
#include <QFileInfo>

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

bool isCsvSpare(const QString& trimmed)
{
    const QString upper = trimmed.toUpper();
    return upper.startsWith(QStringLiteral("SPARE")) || upper == QStringLiteral("(SPARE)") ||
           upper == QStringLiteral("SP");
}

void fillTable(ChannelTableModel& table, InputReader& input)
{
    FUZZ_CHECK(table.SetChannelCount(int(input.next() % 2 + 1) * ModFunc::kChannelsPerUnit,
                                     ChannelTableModel::FillAllRows));
    for (int row = 0; row < table.channelCount() && !input.atEnd(); ++row) {
        const unsigned flags = input.next();
        ChannelRow channel = table.channel(row);
        channel.relNam = input.text(20);
        channel.back = flags & 1;
        if (flags & 2)
            channel.stUp = input.text(4);
        if (flags & 4)
            channel.stDn = input.text(4);
        FUZZ_CHECK(table.setChannel(row, channel));
    }
}

void checkDip(const ChannelTableModel& table, const QString& path)
{
    FUZZ_CHECK(SaveDipFile(table, path));
    FUZZ_CHECK(QFileInfo(path).size() ==
               DipHeader::kSize + qint64(DipChannelRecord::kSize) * table.channelCount());
    ChannelTableModel loaded;
    FUZZ_CHECK(LoadDipFile(loaded, path));
    FUZZ_CHECK(loaded.channelCount() == table.channelCount());
    for (int row = 0; row < table.channelCount(); ++row) {
        const ChannelRow& written = table.channel(row);
        const ChannelRow& read = loaded.channel(row);
        FUZZ_CHECK(read.relNam == trimmedSpaces(throughField(written.relNam, 16)));
        FUZZ_CHECK(read.back == written.back);
        FUZZ_CHECK(read.stUp == throughField(written.stUp, 3));
        FUZZ_CHECK(read.stDn == throughField(written.stDn, 3));
    }
}

void checkCsv(const ChannelTableModel& table, const QString& path, const FuzzDialogs& dialogs)
{
    FUZZ_CHECK(SaveCsvFile(table, path));
    ChannelTableModel loaded;
    FuzzChecks::resetTable(loaded);
    const CsvLoadResult result = LoadCsvFile(loaded, path);
    FUZZ_CHECK(result.file.ok && !result.aborted && dialogs.questions() == 0);
    FUZZ_CHECK(result.lastChannel == table.channelCount());
    FUZZ_CHECK(loaded.channelCount() == table.channelCount());
    for (int row = 0; row < table.channelCount(); ++row) {
        const QString name = trimmedSpaces(
            Windows1252::decode(Windows1252::encode(table.channel(row).relNam.left(16))));
        const QString expected = isCsvSpare(name) ? ChannelTableModel::spareName(row + 1) : name;
        FUZZ_CHECK(loaded.channel(row).relNam == expected);
        FUZZ_CHECK(loaded.channel(row).back == table.channel(row).back);
    }
}

void checkCorvane(const ChannelTableModel& table)
{
    FUZZ_CHECK(SaveCorvaneChannelFile(table, FuzzFiles::folder()));
    DigitalChannelList allocations;
    ModCrvFile::LoadDigitalChannels(FuzzFiles::folder(), allocations);
    FUZZ_CHECK(allocations.lastIndex() == table.channelCount());
    for (int row = 0; row < table.channelCount(); ++row) {
        const DigitalChannelRecord record = allocations.at(row + 1);
        FUZZ_CHECK(record.ChannelName ==
                   Windows1252::decode(Windows1252::encode(table.channel(row).relNam.left(16))));
        FUZZ_CHECK(record.BackContact == table.channel(row).back);
        FUZZ_CHECK(record.text2.isEmpty() && record.text3.isEmpty() && record.lastField == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    FuzzDialogs dialogs(MessageAnswer::Cancel);
    ChannelTableModel table;
    fillTable(table, input);
    const QString folder = FuzzFiles::folder() + QDir::separator();
    checkDip(table, folder + QStringLiteral("site.dip"));
    checkCsv(table, folder + QStringLiteral("list.csv"), dialogs);
    checkCorvane(table);
    FUZZ_CHECK(dialogs.questions() == 0);
    return 0;
}
