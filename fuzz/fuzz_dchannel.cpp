// LoadDigitalChannels on any bytes, then FillFromAllocations as the Corvane import runs it: no
// crash, the list has the file's count of entries, and the site holds the imported names,
// each at most 16 characters, with the contacts of the file. The file is spelt as a site
// folder copied from Windows may hold it.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/SiteSize.h"

#include <algorithm>

namespace {

constexpr std::size_t kCountOffset = 16;

// The signed 16-bit count after the header; bytes the file lacks read as zero.
int expectedCount(const std::uint8_t* data, std::size_t size)
{
    const auto byteAt = [&](std::size_t i) { return i < size ? unsigned(data[i]) : 0u; };
    return std::max(0, int(qint16(byteAt(kCountOffset) | byteAt(kCountOffset + 1) << 8)));
}

bool isSpare(const QString& trimmed)
{
    const QString upper = trimmed.toUpper();
    return upper.isEmpty() || upper == QStringLiteral("SPARE") ||
           upper == QStringLiteral("(SPARE)");
}

// Checks the imported rows against the allocations and answers how many names were cut.
int checkImportedRows(const ChannelRows& rows, const DigitalChannelList& allocations, int count)
{
    const ChannelRow defaults = DefaultRow(1);
    int cut = 0;
    for (int channel = 1; channel <= count; ++channel) {
        const ChannelRow& row = rows[channel - 1];
        const QString name = FuzzChecks::trimmedSpaces(allocations[channel].ChannelName);
        if (isSpare(name)) {
            FUZZ_CHECK(row.relNam == SpareName(channel));
        } else {
            FUZZ_CHECK(row.relNam == name.left(kRelayNameLimit));
            cut += name.size() > kRelayNameLimit ? 1 : 0;
        }
        FUZZ_CHECK(!row.relNam.isEmpty() && row.relNam.size() <= kRelayNameLimit);
        FUZZ_CHECK(row.back == allocations[channel].BackContact);
        FUZZ_CHECK(row.stUp == defaults.stUp && row.stDn == defaults.stDn);
    }
    return cut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString siteDir = FuzzFiles::subfolder(QStringLiteral("site"));
    const QString file = FuzzFiles::writeInput(data, size, QStringLiteral("DCHANNEL.CFG"), siteDir);
    const FuzzDialogs dialogs;

    const ModCrvFile::AllocationsRead channels = ModCrvFile::LoadDigitalChannels(siteDir);

    FUZZ_CHECK(!channels.failure && channels.path == file);
    const int count = expectedCount(data, size);
    FUZZ_CHECK(LastIndex(channels.allocations) == count);
    FUZZ_CHECK(channels.allocations.first() == DigitalChannelRecord{});

    if (count == 0) {
        const SiteRead empty = ImportCorvaneSite(siteDir);
        FuzzChecks::checkRead(empty, file);
        FUZZ_CHECK(empty.outcome == SiteRead::Outcome::Empty && empty.notices.isEmpty());
        return 0;
    }
    // What ImportCorvaneSite makes of a list that holds allocations; the file is read once,
    // since a count of 32767 with nothing behind it is a large list of empty records.
    const SiteRead read = FillFromAllocations(channels.allocations);
    FuzzChecks::checkRead(read, QString());
    const bool cut = count > ModFunc::kMaxChannels;
    const int imported = std::min(count, ModFunc::kMaxChannels);
    FUZZ_CHECK(read.outcome == (cut ? SiteRead::Outcome::Cut : SiteRead::Outcome::Loaded));
    FUZZ_CHECK(read.rows.size() == FuzzChecks::rowsFor(imported));
    const int cutNames = checkImportedRows(read.rows, channels.allocations, imported);
    FuzzChecks::checkDefaultRows(read.rows, imported);
    // One notice per name cut to 16, after the one about the size when the site was cut.
    FUZZ_CHECK(read.notices.size() == (cut ? 1 : 0) + cutNames + 1);
    if (cut)
        FUZZ_CHECK(read.notices.first() == SiteSize::maximumChannelsText(ModFunc::kMaxChannels));
    FUZZ_CHECK(FuzzChecks::lastNotice(read) ==
               QStringLiteral("%1 channels imported").arg(imported));
    return 0;
}
