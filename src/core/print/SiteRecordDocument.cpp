#include "SiteRecordDocument.h"

#include "SiteRecordPainter.h"

#include <QMarginsF>

namespace {

// Half an inch: inside what every printer can reach, on A4 and Letter alike.
constexpr double kMargin = 36;

} // namespace

SiteRecordDocument::SiteRecordDocument(PrintedSite site, QPageSize::PageSizeId paper)
    : site_(std::move(site)), paper_(paper)
{}

QPageLayout SiteRecordDocument::preferredLayout() const
{
    return QPageLayout(QPageSize(paper_), QPageLayout::Portrait,
                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Point);
}

QString SiteRecordDocument::title() const
{
    return QStringLiteral("Site record - ") + site_.siteName;
}

int SiteRecordDocument::layOut(const QSizeF& area)
{
    layout_.emplace(int(site_.rows.size()), area);
    return int(layout_->pages().size());
}

void SiteRecordDocument::paintPage(QPainter& painter, const PointScale& scale, int page) const
{
    if (!layout_ || page < 0 || page >= layout_->pages().size())
        return;
    SiteRecordPainter(painter, scale, site_, *layout_).paintPage(page);
}
