#include "SiteRecordLayout.h"

#include "common/ChannelLabel.h"

#include <algorithm>
#include <cmath>

using ModFunc::kChannelsPerCard;
using ModFunc::kChannelsPerUnit;

namespace {

constexpr int kCardsPerUnit = kChannelsPerUnit / kChannelsPerCard;

} // namespace

SiteRecordLayout::SiteRecordLayout(int channels, const QSizeF& area)
    : area_(area), units_(std::max(1, channels / kChannelsPerUnit))
{
    newPage();
    add({Block::Kind::Summary, 0, 0, 0, false, y_, summaryHeight(units_)});
    for (int card = 0; card < channels / kChannelsPerCard; ++card)
        placeCard(card);
}

void SiteRecordLayout::newPage()
{
    pages_.append(Page());
    y_ = bodyTop();
}

void SiteRecordLayout::add(Block block)
{
    block.top = y_;
    y_ += block.height;
    pages_.last().append(block);
}

int SiteRecordLayout::rowsThatFit() const
{
    return int(std::floor((bodyBottom() - y_) / kRowHeight + 1e-9));
}

void SiteRecordLayout::placeCard(int card)
{
    const bool firstOfUnit = card % kCardsPerUnit == 0;
    const double unitHeading = firstOfUnit ? kUnitHeadingHeight : 0;
    const double whole = unitHeading + kCardHeadingHeight + kChannelsPerCard * kRowHeight;
    if (y_ + whole > bodyBottom() && !pages_.last().isEmpty())
        newPage();
    if (firstOfUnit)
        add({Block::Kind::UnitHeading, card, 0, 0, false, 0, kUnitHeadingHeight});
    add({Block::Kind::CardHeading, card, 0, 0, false, 0, kCardHeadingHeight});
    int row = card * kChannelsPerCard;
    const int end = row + kChannelsPerCard;
    while (row < end) {
        // A page too small for even one row still takes one, so the record always ends.
        const int count = std::clamp(rowsThatFit(), 1, end - row);
        add({Block::Kind::Rows, card, row, count, false, 0, count * kRowHeight});
        row += count;
        if (row < end) {
            newPage();
            add({Block::Kind::CardHeading, card, 0, 0, true, 0, kCardHeadingHeight});
        }
    }
}
