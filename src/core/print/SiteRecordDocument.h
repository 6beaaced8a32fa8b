#pragma once

#include "PagedDocument.h"
#include "PrintedSite.h"
#include "SiteRecordLayout.h"

#include <optional>

// The site record: a title block with the site's fingerprint and the boxes its preparer, checker
// and approver sign, then a section per card with every channel's label, relay name, contact and
// state texts; each page headed with the site, its file and the date, and footed with the site,
// its fingerprint and "Page N of M". Portrait, on A4 or Letter.
class SiteRecordDocument : public PagedDocument
{
public:
    explicit SiteRecordDocument(PrintedSite site, QPageSize::PageSizeId paper = QPageSize::A4);

    QPageLayout preferredLayout() const override;
    QString title() const override;
    int layOut(const QSizeF& area) override;
    void paintPage(QPainter& painter, const PointScale& scale, int page) const override;

private:
    PrintedSite site_;
    QPageSize::PageSizeId paper_;
    std::optional<SiteRecordLayout> layout_;
};
