#include "SiteRecordPainter.h"

#include "PrintFont.h"
#include "SignOffBox.h"

#include "common/ChannelLabel.h"
#include "document/ChannelStatistics.h"

#include <QColor>

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

QString shownFile(const PrintedSite& site)
{
    return site.fileName.isEmpty() ? QStringLiteral("(not saved to a file)") : site.fileName;
}

} // namespace

SiteRecordPainter::SiteRecordPainter(QPainter& painter, const PointScale& scale,
                                     const PrintedSite& site, const SiteRecordLayout& layout)
    : page_(painter, scale), site_(site), layout_(layout), body_(PrintFont(kBodyPoints)),
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

// The site, its file and the date across the top; the site, its fingerprint and the page
// number at the foot, so that a page that comes loose still says what it belongs to.
void SiteRecordPainter::paintFrame(int page)
{
    const QString number =
        QStringLiteral("Page %1 of %2").arg(page + 1).arg(layout_.pages().size());
    page_.frame({site_.siteName, shownFile(site_), site_.printed.date().toString(Qt::ISODate)},
                {site_.siteName, QStringLiteral("Fingerprint ") + site_.fingerprint, number},
                layout_.width(), layout_.bodyBottom());
}

void SiteRecordPainter::paintSummary(double top)
{
    const double line = SiteRecordLayout::kSummaryLineHeight;
    const double width = layout_.width();
    const ChannelStatistics all = ChannelStatistics::of(site_.rows);
    const int units = int(site_.rows.size()) / kChannelsPerUnit;
    page_.text({0, top, width, line}, QStringLiteral("Site record"), PrintFont(16, true));
    const QStringList block{
        QStringLiteral("Site: ") + site_.siteName,
        QStringLiteral("File: ") + shownFile(site_),
        QStringLiteral("Fingerprint: ") + site_.fingerprint,
        QStringLiteral("Issue: ") + site_.issue,
        QStringLiteral("Printed: %1 by %2")
            .arg(site_.printed.toString(QStringLiteral("yyyy-MM-dd HH:mm")), PrintingProgram()),
        QStringLiteral("Units: %1 (%2 channels)").arg(units).arg(site_.rows.size()),
        QStringLiteral("Channels in use: %1").arg(all.inUse),
        QStringLiteral("Channels on back contacts: %1").arg(all.back)};
    for (int i = 0; i < block.size(); ++i)
        page_.text({0, top + (i + 1) * line, width, line}, block[i], PrintFont(11));
    const double table = top + (block.size() + 2) * line;
    paintUnits(table);
    SignOffBox::paint(page_, table + (units + 2) * line, width);
}

void SiteRecordPainter::paintUnits(double top)
{
    const double line = SiteRecordLayout::kSummaryLineHeight;
    const QStringList titles{QStringLiteral("Unit"), QStringLiteral("Channels"),
                             QStringLiteral("In use"), QStringLiteral("On back contacts")};
    const double cell = layout_.width() / 4.5;
    for (int c = 0; c < titles.size(); ++c)
        page_.text({c * cell, top, cell, line}, titles[c], bold_);
    for (int unit = 0; unit < int(site_.rows.size()) / kChannelsPerUnit; ++unit) {
        const ChannelStatistics counts =
            ChannelStatistics::of(site_.rows.mid(unit * kChannelsPerUnit, kChannelsPerUnit));
        const double y = top + (unit + 1) * line;
        const QStringList cells{unitName(unit),
                                ChannelLabel(unit * kChannelsPerUnit + 1) + QStringLiteral(" to ") +
                                    ChannelLabel((unit + 1) * kChannelsPerUnit),
                                QString::number(counts.inUse), QString::number(counts.back)};
        for (int c = 0; c < cells.size(); ++c)
            page_.text({c * cell, y, cell, line}, cells[c], body_);
    }
}

void SiteRecordPainter::paintUnitHeading(const Block& block)
{
    const int unit = block.card * kChannelsPerCard / kChannelsPerUnit;
    page_.text({0, block.top + 4, layout_.width(), block.height - 4},
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
    page_.text({0, block.top, layout_.width(), titleHeight}, heading, PrintFont(11, true));
    const QStringList titles{QStringLiteral("Label"), QStringLiteral("Relay name"),
                             QStringLiteral("Contact"), QStringLiteral("State up"),
                             QStringLiteral("State down")};
    const double top = block.top + titleHeight;
    for (int c = 0; c < titles.size(); ++c)
        page_.text(column(c, top, SiteRecordLayout::kRowHeight), titles[c], bold_);
    page_.rule(0, top + SiteRecordLayout::kRowHeight + 1, layout_.width());
}

void SiteRecordPainter::paintRows(const Block& block)
{
    const double height = SiteRecordLayout::kRowHeight;
    for (int i = 0; i < block.rowCount; ++i) {
        const int row = block.firstRow + i;
        const double top = block.top + i * height;
        // Every other row shaded, so that the eye keeps to a row across the page.
        if (row % 2 == 1)
            page_.shade({0, top, layout_.width(), height}, kShade);
        const ChannelRow& channel = site_.rows.at(row);
        page_.text(column(0, top, height), ChannelLabel(row + 1), bold_);
        page_.text(column(1, top, height), channel.relNam, body_);
        page_.text(column(2, top, height),
                   channel.back ? QStringLiteral("Back") : QStringLiteral("Front"), body_);
        page_.text(column(3, top, height), channel.stUp, body_);
        page_.text(column(4, top, height), channel.stDn, body_);
    }
}

QRectF SiteRecordPainter::column(int index, double top, double height) const
{
    const double width = layout_.width();
    const double left = kColumnStarts[index] * width;
    const double right = kColumnStarts[index + 1] * width;
    return {left + kCellPadding, top, right - left - 2 * kCellPadding, height};
}
