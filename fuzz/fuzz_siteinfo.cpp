// LoadSiteInfo on any bytes: it never crashes, the data blocks keep their sizes, the name is
// what the file's first text field holds, and SiteDir is always the directory passed in.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/Windows1252.h"
#include "corvane/ModCrvFile.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSize = 21;

// The first text field as the layout says: a 16-bit byte count, then at most that many bytes.
QString expectedName(const std::uint8_t* data, std::size_t size)
{
    const auto byteAt = [&](std::size_t i) { return i < size ? unsigned(data[i]) : 0u; };
    const std::size_t count = byteAt(kHeaderSize) | byteAt(kHeaderSize + 1) << 8;
    const std::size_t start = std::min(size, kHeaderSize + 2);
    const std::size_t available = std::min(count, size - start);
    return Windows1252::decode(
        QByteArrayView(reinterpret_cast<const char*>(data) + start, qsizetype(available)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzFiles::writeInput(data, size, QStringLiteral("SiteInfo.cfg"));
    FuzzDialogs dialogs(MessageAnswer::Cancel);
    SiteInfoRecord record;
    record.SiteName = QStringLiteral("before");
    record.SiteDir = QStringLiteral("before");

    ModCrvFile::LoadSiteInfo(FuzzFiles::folder(), record);

    FUZZ_CHECK(dialogs.notices() == 0 && dialogs.questions() == 0);
    FUZZ_CHECK(record.SiteDir == FuzzFiles::folder());
    FUZZ_CHECK(record.SiteName == expectedName(data, size));
    FUZZ_CHECK(record.data6.size() == 6);
    FUZZ_CHECK(record.data9.size() == 8);
    FUZZ_CHECK(record.data12.size() == 8);
    FUZZ_CHECK(record.data14.size() == 16);
    return 0;
}
