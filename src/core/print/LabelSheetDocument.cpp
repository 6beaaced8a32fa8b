#include "LabelSheetDocument.h"

#include "PageText.h"
#include "PrintFont.h"

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kLinesPerLabel = 4;
constexpr double kPadding = 5;       // points inside the label's edge
constexpr double kLargestText = 10;  // points; small labels get smaller text
constexpr double kTextToLine = 0.62; // text size as a share of the line height

void drawFitted(QPainter& painter, const QRectF& area, const QString& text, const QFont& font,
                Qt::Alignment alignment)
{
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.drawText(area, int(alignment | Qt::AlignVCenter),
                     metrics.elidedText(text, Qt::ElideRight, area.width()));
}

} // namespace

LabelSheetDocument::LabelSheetDocument(QList<LabelRow> rows, const QString& siteName,
                                       const QString& fingerprint, const LabelSheetGrid& grid,
                                       int firstLabel)
    : rows_(std::move(rows)), siteName_(siteName), fingerprint_(fingerprint), grid_(grid),
      skipped_(std::clamp(firstLabel - 1, 0, std::max(0, grid.labelsPerSheet() - 1)))
{}

// The grid is measured from the sheet's edge, so the page has no margins of its own.
QPageLayout LabelSheetDocument::preferredLayout() const
{
    return QPageLayout(QPageSize(grid_.paper), QPageLayout::Portrait, QMarginsF());
}

QString LabelSheetDocument::title() const
{
    return QStringLiteral("Relay labels - ") + siteName_;
}

int LabelSheetDocument::layOut(const QSizeF&)
{
    const int perSheet = std::max(1, grid_.labelsPerSheet());
    sheets_ = std::max(1, int((skipped_ + rows_.size() + perSheet - 1) / perSheet));
    return sheets_;
}

void LabelSheetDocument::paintPage(QPainter& painter, const PointScale& scale, int page) const
{
    const int perSheet = std::max(1, grid_.labelsPerSheet());
    for (int place = 0; place < perSheet; ++place) {
        const qsizetype index = qsizetype(page) * perSheet + place - skipped_;
        if (index >= 0 && index < rows_.size())
            paintLabel(painter, scale, grid_.labelRect(place), rows_[index]);
    }
    PageText(painter, scale)
        .text(grid_.spareStrip(),
              QStringLiteral("%1    Fingerprint %2    Sheet %3 of %4")
                  .arg(siteName_, fingerprint_)
                  .arg(page + 1)
                  .arg(sheets_),
              PrintFont(7), Qt::AlignHCenter);
}

// A line per channel: the label in bold, the relay name, and "B" at the right for a back
// contact.
void LabelSheetDocument::paintLabel(QPainter& painter, const PointScale& scale, const QRectF& label,
                                    const LabelRow& row) const
{
    if (grid_.outlines) {
        painter.setPen(QPen(QColor(190, 190, 190), 0.5 * scale.y, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(scale.rect(label));
    }
    painter.setPen(Qt::black);
    const QRectF inside = label.adjusted(kPadding, kPadding / 2, -kPadding, -kPadding / 2);
    const double line = inside.height() / kLinesPerLabel;
    const double points = std::min(kLargestText, line * kTextToLine);
    const QFont plain = PrintFont(points, false);
    const QFont bold = PrintFont(points, true);
    const double labelWidth = 3.6 * points;
    const double markWidth = 1.5 * points;
    for (int k = 0; k < row.size(); ++k) {
        const double top = inside.top() + k * line;
        const LabelChannel& channel = row[k];
        drawFitted(painter, scale.rect({inside.left(), top, labelWidth, line}), channel.chNo, bold,
                   Qt::AlignLeft);
        const QRectF name{inside.left() + labelWidth, top, inside.width() - labelWidth - markWidth,
                          line};
        drawFitted(painter, scale.rect(name), channel.relNam, plain, Qt::AlignLeft);
        drawFitted(painter, scale.rect({inside.right() - markWidth, top, markWidth, line}),
                   channel.contactMark(), bold, Qt::AlignRight);
    }
}
