#include "SiteListing.h"

#include "common/Dialogs.h"
#include "common/ModFileUtil.h"
#include "corvane/ModCrvFile.h"

#include <cstdio>

namespace SiteListing {

int print(const QString& configDir)
{
    // The editor lists nothing for a missing directory; here that is most likely a typing error.
    if (!ModFileUtil::IsDirectory(configDir)) {
        std::fprintf(stderr, "No such directory: %s\n\n", configDir.toLocal8Bit().constData());
        return 1;
    }
    const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(configDir);
    for (const MessageRequest& failure : scan.failures)
        Dialogs::current().showMessage(failure);
    for (qsizetype i = 1; i < scan.sites.size(); ++i)
        std::printf("%s\t%s\n", scan.sites[i].SiteName.toLocal8Bit().constData(),
                    scan.sites[i].SiteDir.toLocal8Bit().constData());
    return 0;
}

} // namespace SiteListing
