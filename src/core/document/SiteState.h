#pragma once

#include <QString>

// The document's identity beside the table: the name in the caption and the channel file
// that Save writes to (path and title are both set or both empty).
struct SiteState
{
    QString siteName;
    QString sitePath;
    QString siteFileTitle;
};
