// LoadDipFile on any bytes: it never crashes, shows nothing, and the site it returns is what
// the header and the records say; a file it refuses brings no rows and the notice why.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "common/Windows1252.h"
#include "document/DipFile.h"
#include "document/SiteSize.h"

#include <algorithm>

namespace {

using FuzzChecks::trimmedSpaces;
using R = DipChannelRecord;

QString field(const char* record, int offset, int width)
{
    return Windows1252::decode(QByteArrayView(record + offset, width));
}

// Every row that a record reached holds that record's fields; state texts keep all three
// characters, spaces included.
void checkRecords(const ChannelRows& rows, const char* records, int count)
{
    for (int row = 0; row < count; ++row) {
        const char* record = records + qsizetype(row) * R::kSize;
        const ChannelRow& channel = rows[row];
        FUZZ_CHECK(channel.relNam == trimmedSpaces(field(record, R::kNameOffset, R::kNameWidth)));
        FUZZ_CHECK(channel.relNam.size() <= kRelayNameLimit);
        FUZZ_CHECK(channel.back == (record[R::kBackOffset] == 1));
        FUZZ_CHECK(channel.stUp == field(record, R::kStateUpOffset, R::kStateWidth));
        FUZZ_CHECK(channel.stDn == field(record, R::kStateDownOffset, R::kStateWidth));
        FUZZ_CHECK(channel.stUp.size() == 3 && channel.stDn.size() == 3);
    }
}

// A refused file: the notices say why, in the order the user sees them.
void checkRefused(const SiteRead& read, bool headerFits, const DipHeader& header)
{
    FUZZ_CHECK(read.outcome == SiteRead::Outcome::Failed);
    FUZZ_CHECK(read.failure.isEmpty()); // the file was read; a check refused it
    if (!headerFits) {
        FUZZ_CHECK(read.notices == QStringList{QStringLiteral("File too short")});
        return;
    }
    const QString mismatch = CheckDipHeader(header);
    if (!mismatch.isEmpty()) {
        FUZZ_CHECK(read.notices == QStringList{mismatch});
        return;
    }
    FUZZ_CHECK(read.notices == (QStringList{QStringLiteral("Error setting no of channels."),
                                            QStringLiteral("0 channels loaded")}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzFiles::writeInput(data, size, QStringLiteral("site.dip"));
    const auto* bytes = reinterpret_cast<const char*>(data);
    const FuzzDialogs dialogs;

    const SiteRead read = LoadDipFile(path);

    FuzzChecks::checkRead(read, path);
    const bool headerFits = size >= std::size_t(DipHeader::kSize);
    const DipHeader header = headerFits ? DipHeader::fromBytes(bytes) : DipHeader{};
    const bool accepted = headerFits && header.flag == DipHeader::kFlag &&
                          header.fileType == DipHeader::kFileType &&
                          header.version == DipHeader::kVersion && header.channelCount > 0;
    if (!accepted) {
        checkRefused(read, headerFits, header);
        return 0;
    }
    const bool cut = header.channelCount > ModFunc::kMaxChannels;
    const int count = std::min(header.channelCount, ModFunc::kMaxChannels);
    FUZZ_CHECK(read.outcome == (cut ? SiteRead::Outcome::Cut : SiteRead::Outcome::Loaded));
    FUZZ_CHECK(read.rows.size() == FuzzChecks::rowsFor(count));
    QStringList notices;
    if (cut)
        notices.append(SiteSize::maximumChannelsText(ModFunc::kMaxChannels));
    notices.append(QStringLiteral("%1 channels loaded").arg(count));
    FUZZ_CHECK(read.notices == notices);
    const int present =
        int(std::min<std::size_t>(count, (size - DipHeader::kSize) / std::size_t(R::kSize)));
    checkRecords(read.rows, bytes + DipHeader::kSize, present);
    FuzzChecks::checkDefaultRows(read.rows, present);
    return 0;
}
