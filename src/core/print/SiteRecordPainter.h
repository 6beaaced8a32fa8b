#pragma once

#include "PageText.h"
#include "PrintedSite.h"
#include "SiteRecordLayout.h"

#include <QFont>

class QPainter;

// Draws the pages of a site record as its layout places them.
class SiteRecordPainter
{
public:
    SiteRecordPainter(QPainter& painter, const PointScale& scale, const PrintedSite& site,
                      const SiteRecordLayout& layout);

    void paintPage(int page);

private:
    void paintFrame(int page);
    void paintSummary(double top);
    void paintUnits(double top);
    void paintUnitHeading(const SiteRecordLayout::Block& block);
    void paintCardHeading(const SiteRecordLayout::Block& block);
    void paintRows(const SiteRecordLayout::Block& block);
    // The table's column `index` (label, relay name, contact, state up, state down).
    QRectF column(int index, double top, double height) const;

    PageText page_;
    const PrintedSite& site_;
    const SiteRecordLayout& layout_;
    QFont body_;
    QFont bold_;
};
