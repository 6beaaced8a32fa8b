// LoadSiteInfo and RegisterSites on any bytes: they never crash, the data blocks keep their
// sizes, the name is what the file's first text field holds, SiteDir is always the directory
// read, and the scan lists the site exactly when it has a name. The file is spelt as a site
// folder copied from Windows may hold it.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/Windows1252.h"
#include "corvane/ModCrvFile.h"

#include <QDir>

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
    const QString sites = FuzzFiles::subfolder(QStringLiteral("sites"));
    const QString siteDir =
        FuzzFiles::subfolder(QStringLiteral("sites") + QDir::separator() + QStringLiteral("north"));
    FuzzFiles::writeInput(data, size, QStringLiteral("siteinfo.cfg"), siteDir);
    const FuzzDialogs dialogs;

    const ModCrvFile::SiteInfoRead read = ModCrvFile::LoadSiteInfo(siteDir);

    FUZZ_CHECK(read.found && !read.failure);
    const SiteInfoRecord& record = read.record;
    FUZZ_CHECK(record.SiteDir == siteDir);
    FUZZ_CHECK(record.SiteName == expectedName(data, size));
    FUZZ_CHECK(record.data6.size() == 6);
    FUZZ_CHECK(record.data9.size() == 8);
    FUZZ_CHECK(record.data12.size() == 8);
    FUZZ_CHECK(record.data14.size() == 16);

    const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(sites);
    FUZZ_CHECK(scan.failures.isEmpty());
    FUZZ_CHECK(scan.sites.size() == (record.SiteName.isEmpty() ? 1 : 2));
    FUZZ_CHECK(scan.sites.first().SiteName.isEmpty());
    if (scan.sites.size() == 2) {
        FUZZ_CHECK(scan.sites[1].SiteName == record.SiteName);
        FUZZ_CHECK(scan.sites[1].SiteDir == siteDir);
    }
    return 0;
}
