// LoadDipFile on any bytes: it never crashes, and the table it leaves is what the header and
// the records say, or untouched after a reported failure.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "common/Windows1252.h"
#include "document/DipFile.h"

#include <algorithm>

namespace {

using FuzzChecks::trimmedSpaces;

// Every row that a record reached holds that record's fields.
void checkRecords(const ChannelTableModel& table, const char* records, int count)
{
    using R = DipChannelRecord;
    for (int row = 0; row < count; ++row) {
        const char* record = records + qsizetype(row) * R::kSize;
        const ChannelRow& channel = table.channel(row);
        FUZZ_CHECK(channel.relNam == trimmedSpaces(Windows1252::decode(
                                         QByteArrayView(record + R::kNameOffset, R::kNameWidth))));
        FUZZ_CHECK(channel.back == (record[R::kBackOffset] == 1));
        FUZZ_CHECK(channel.stUp ==
                   Windows1252::decode(QByteArrayView(record + R::kStateUpOffset, R::kStateWidth)));
        FUZZ_CHECK(channel.stDn == Windows1252::decode(QByteArrayView(record + R::kStateDownOffset,
                                                                      R::kStateWidth)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzFiles::writeInput(data, size, QStringLiteral("site.dip"));
    const auto* bytes = reinterpret_cast<const char*>(data);
    ChannelTableModel table;
    FuzzChecks::resetTable(table);
    FuzzDialogs dialogs(MessageAnswer::Cancel);

    const bool loaded = LoadDipFile(table, path);

    FuzzChecks::checkTable(table);
    FUZZ_CHECK(dialogs.questions() == 0);
    FUZZ_CHECK(dialogs.notices() >= 1);
    const bool headerFits = size >= std::size_t(DipHeader::kSize);
    const DipHeader header = headerFits ? DipHeader::fromBytes(bytes) : DipHeader{};
    const bool accepted = headerFits && header.flag == DipHeader::kFlag &&
                          header.fileType == DipHeader::kFileType &&
                          header.version == DipHeader::kVersion && header.channelCount > 0;
    FUZZ_CHECK(loaded == accepted);
    if (!accepted) {
        FUZZ_CHECK(table.channelCount() == ModFunc::kChannelsPerUnit);
        FuzzChecks::checkDefaultRows(table, 0);
        return 0;
    }
    const int count = std::min(header.channelCount, ModFunc::kMaxChannels);
    FUZZ_CHECK(table.channelCount() == FuzzChecks::rowsFor(count));
    FUZZ_CHECK(dialogs.lastNotice() == QStringLiteral("%1 channels loaded").arg(count));
    const int present = int(std::min<std::size_t>(count, (size - DipHeader::kSize) /
                                                             std::size_t(DipChannelRecord::kSize)));
    checkRecords(table, bytes + DipHeader::kSize, present);
    FuzzChecks::checkDefaultRows(table, present);
    return 0;
}
