#pragma once

#include "corvane/SiteInfoRecord.h"

#include <QList>

class QListWidget;

namespace ModCrvFunc {

// Empties the control, then adds the name of each site 1..last with its index in the site
// list as item data (Qt::UserRole).
void FillSiteList(QListWidget& list, const QList<SiteInfoRecord>& sites);

} // namespace ModCrvFunc
