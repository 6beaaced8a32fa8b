#include "SiteRecordPainter.h"

#include "PrintFont.h"

#include "common/ChannelLabel.h"
#include "document/ChannelStatistics.h"

#include <QFontMetricsF>
#include <QPainter>

using Block = SiteRecordLayout::Block;
using ModFunc::ChannelLabel;
using ModFunc::kChannelsPerCard;
using ModFunc::kChannelsPerUnit;

namespace {

constexpr double kBodyPoints = 9;
// Where each column of the table starts, as a share of the width; the relay name gets most.
constexpr double kColumnStarts[] = {0.0, 0.12, 0.55, 0.70, 0.85, 1.0};
constexpr double kCellPadding = 3;
const QColor kShade(238, 238, 238);

QString cardName(int card)
{
    return ChannelLabel(card * kChannelsPerCard + 1).left(2);
}

QString unitName(int unit)
{
    return ChannelLabel(unit * kChannelsPerUnit + 1).left(1);
}

} // namespace

SiteRecordPainter::SiteRecordPainter(QPainter& painter, const PointScale& scale,
                                     const PrintedSite& site, const SiteRecordLayout& layout)
    : painter_(painter), scale_(scale), site_(site), layout_(layout), body_(PrintFont(kBodyPoints)),
      bold_(PrintFont(kBodyPoints, true))
{}

void SiteRecordPainter::paintPage(int page)
{
    paintFrame(page);
    for (const Block& block : layout_.pages().at(page)) {
        switch (block.kind) {
        case Block::Kind::Summary:
            paintSummary(block.top);
            break;
        case Block::Kind::UnitHeading:
            paintUnitHeading(block);
            break;
        case Block::Kind::CardHeading:
            paintCardHeading(block);
            break;
        case Block::Kind::Rows:
            paintRows(block);
            break;
        }
    }
}

void SiteRecordPainter::text(const QRectF& points, const QString& text, const QFont& font,
                             Qt::Alignment alignment)
{
    const QRectF area = scale_.rect(points);
    const QFontMetricsF metrics(font, painter_.device());
    painter_.setFont(font);
    painter_.drawText(area, int(alignment | Qt::AlignVCenter),
                      metrics.elidedText(text, Qt::ElideRight, area.width()));
}

void SiteRecordPainter::rule(double top, double width)
{
    painter_.setPen(QPen(Qt::black, width * scale_.y));
    painter_.drawLine(scale_.point(0, top), scale_.point(layout_.width(), top));
}

// The site, its file and the date across the top; the page number at the foot.
void SiteRecordPainter::paintFrame(int page)
{
    const double width = layout_.width();
    const double third = width / 3;
    const double line = SiteRecordLayout::kHeaderHeight - 8;
    const QString file =
        site_.fileName.isEmpty() ? QStringLiteral("(not saved to a file)") : site_.fileName;
    text({0, 0, third, line}, site_.siteName, PrintFont(10, true));
    text({third, 0, third, line}, file, body_, Qt::AlignHCenter);
    text({2 * third, 0, third, line}, site_.date.toString(Qt::ISODate), body_, Qt::AlignRight);
    rule(line + 2);
    const double bottom = layout_.bodyBottom();
    rule(bottom + 6);
    const QString number =
        QStringLiteral("Page %1 of %2").arg(page + 1).arg(layout_.pages().size());
    text({0, bottom + 8, width, SiteRecordLayout::kFooterHeight - 8}, number, body_,
         Qt::AlignHCenter);
}

void SiteRecordPainter::paintSummary(double top)
{
    const double line = SiteRecordLayout::kSummaryLineHeight;
    const double width = layout_.width();
    const ChannelStatistics all = ChannelStatistics::of(site_.rows);
    const int units = int(site_.rows.size()) / kChannelsPerUnit;
    text({0, top, width, line}, QStringLiteral("Site record"), PrintFont(16, true));
    const QStringList totals{
        QStringLiteral("Units: %1 (%2 channels)").arg(units).arg(site_.rows.size()),
        QStringLiteral("Channels in use: %1").arg(all.inUse),
        QStringLiteral("Channels on back contacts: %1").arg(all.back)};
    for (int i = 0; i < totals.size(); ++i)
        text({0, top + (i + 1) * line, width, line}, totals[i], PrintFont(11));
    const double table = top + 5 * line;
    const QStringList titles{QStringLiteral("Unit"), QStringLiteral("Channels"),
                             QStringLiteral("In use"), QStringLiteral("On back contacts")};
    const double cell = width / 4.5;
    for (int c = 0; c < titles.size(); ++c)
        text({c * cell, table, cell, line}, titles[c], bold_);
    for (int unit = 0; unit < units; ++unit) {
        const ChannelStatistics counts =
            ChannelStatistics::of(site_.rows.mid(unit * kChannelsPerUnit, kChannelsPerUnit));
        const double y = table + (unit + 1) * line;
        const QStringList cells{unitName(unit),
                                ChannelLabel(unit * kChannelsPerUnit + 1) + QStringLiteral(" to ") +
                                    ChannelLabel((unit + 1) * kChannelsPerUnit),
                                QString::number(counts.inUse), QString::number(counts.back)};
        for (int c = 0; c < cells.size(); ++c)
            text({c * cell, y, cell, line}, cells[c], body_);
    }
}

void SiteRecordPainter::paintUnitHeading(const Block& block)
{
    const int unit = block.card * kChannelsPerCard / kChannelsPerUnit;
    text({0, block.top + 4, layout_.width(), block.height - 4},
         QStringLiteral("Unit ") + unitName(unit), PrintFont(14, true));
}

void SiteRecordPainter::paintCardHeading(const Block& block)
{
    const int first = block.card * kChannelsPerCard + 1;
    QString heading = QStringLiteral("Card %1: channels %2 to %3")
                          .arg(cardName(block.card), ChannelLabel(first),
                               ChannelLabel(first + kChannelsPerCard - 1));
    if (block.continued)
        heading += QStringLiteral(" (continued)");
    const double titleHeight = block.height - SiteRecordLayout::kRowHeight - 4;
    text({0, block.top, layout_.width(), titleHeight}, heading, PrintFont(11, true));
    const QStringList titles{QStringLiteral("Label"), QStringLiteral("Relay name"),
                             QStringLiteral("Contact"), QStringLiteral("State up"),
                             QStringLiteral("State down")};
    const double top = block.top + titleHeight;
    for (int c = 0; c < titles.size(); ++c)
        text(column(c, top, SiteRecordLayout::kRowHeight), titles[c], bold_);
    rule(top + SiteRecordLayout::kRowHeight + 1);
}

void SiteRecordPainter::paintRows(const Block& block)
{
    const double height = SiteRecordLayout::kRowHeight;
    for (int i = 0; i < block.rowCount; ++i) {
        const int row = block.firstRow + i;
        const double top = block.top + i * height;
        // Every other row shaded, so that the eye keeps to a row across the page.
        if (row % 2 == 1)
            painter_.fillRect(scale_.rect({0, top, layout_.width(), height}), kShade);
        const ChannelRow& channel = site_.rows.at(row);
        text(column(0, top, height), ChannelLabel(row + 1), bold_);
        text(column(1, top, height), channel.relNam, body_);
        text(column(2, top, height),
             channel.back ? QStringLiteral("Back") : QStringLiteral("Front"), body_);
        text(column(3, top, height), channel.stUp, body_);
        text(column(4, top, height), channel.stDn, body_);
    }
}

QRectF SiteRecordPainter::column(int index, double top, double height) const
{
    const double width = layout_.width();
    const double left = kColumnStarts[index] * width;
    const double right = kColumnStarts[index + 1] * width;
    return {left + kCellPadding, top, right - left - 2 * kCellPadding, height};
}
