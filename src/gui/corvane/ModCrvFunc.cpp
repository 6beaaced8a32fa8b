#include "ModCrvFunc.h"

#include <QListWidget>

namespace ModCrvFunc {

void FillSiteList(QListWidget& list, const QList<SiteInfoRecord>& sites)
{
    list.clear();
    for (qsizetype i = 1; i < sites.size(); ++i) {
        list.addItem(sites[i].SiteName);
        list.item(list.count() - 1)->setData(Qt::UserRole, int(i));
    }
}

} // namespace ModCrvFunc
