// LoadDigitalChannels on any bytes, then FillFromAllocations as the Import command runs it
// when the list holds an allocation: no crash, the list has the file's count of entries, and
// the table holds the imported names, each at most 16 characters.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"

#include <algorithm>

namespace {

constexpr std::size_t kCountOffset = 16;

// The signed 16-bit count after the header; bytes the file lacks read as zero.
int expectedCount(const std::uint8_t* data, std::size_t size)
{
    const auto byteAt = [&](std::size_t i) { return i < size ? unsigned(data[i]) : 0u; };
    return std::max(0, int(qint16(byteAt(kCountOffset) | byteAt(kCountOffset + 1) << 8)));
}

void checkImportedRows(const ChannelTableModel& table, const DigitalChannelList& allocations,
                       int count)
{
    const ChannelRow defaults = ChannelTableModel::defaultRow(1);
    for (int row = 0; row < count; ++row) {
        const ChannelRow& channel = table.channel(row);
        FUZZ_CHECK(channel.back == allocations.backContact(row + 1));
        FUZZ_CHECK(!channel.relNam.isEmpty());
        FUZZ_CHECK(channel.relNam.size() <= ChannelTableModel::kRelayNameLimit);
        FUZZ_CHECK(channel.stUp == defaults.stUp && channel.stDn == defaults.stDn);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzFiles::writeInput(data, size, QStringLiteral("DChannel.cfg"));
    FuzzDialogs dialogs(MessageAnswer::Cancel);
    DigitalChannelList allocations{{}, {}};

    ModCrvFile::LoadDigitalChannels(FuzzFiles::folder(), allocations);

    FUZZ_CHECK(dialogs.notices() == 0 && dialogs.questions() == 0);
    const int count = expectedCount(data, size);
    FUZZ_CHECK(allocations.lastIndex() == count);
    if (count == 0)
        return 0;

    ChannelTableModel table;
    FuzzChecks::resetTable(table);
    FUZZ_CHECK(FillFromAllocations(table, allocations));

    FuzzChecks::checkTable(table);
    FUZZ_CHECK(dialogs.questions() == 0);
    const int imported = std::min(count, ModFunc::kMaxChannels);
    FUZZ_CHECK(table.channelCount() == FuzzChecks::rowsFor(imported));
    FUZZ_CHECK(dialogs.lastNotice() == QStringLiteral("%1 channels imported").arg(imported));
    checkImportedRows(table, allocations, imported);
    FuzzChecks::checkDefaultRows(table, imported);
    return 0;
}
