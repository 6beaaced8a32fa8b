#include "ModCrvFunc.h"

#include <QComboBox>
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

void FillSiteList(QComboBox& combo, const QList<SiteInfoRecord>& sites)
{
    combo.clear();
    for (qsizetype i = 1; i < sites.size(); ++i)
        combo.addItem(sites[i].SiteName, int(i));
}

} // namespace ModCrvFunc
