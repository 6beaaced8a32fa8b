#pragma once

#include "PointScale.h"
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
    void paintUnitHeading(const SiteRecordLayout::Block& block);
    void paintCardHeading(const SiteRecordLayout::Block& block);
    void paintRows(const SiteRecordLayout::Block& block);
    void rule(double top, double width = 0.5);
    void text(const QRectF& points, const QString& text, const QFont& font,
              Qt::Alignment alignment = Qt::AlignLeft);
    // The table's column `index` (label, relay name, contact, state up, state down).
    QRectF column(int index, double top, double height) const;

    QPainter& painter_;
    PointScale scale_;
    const PrintedSite& site_;
    const SiteRecordLayout& layout_;
    QFont body_;
    QFont bold_;
};
