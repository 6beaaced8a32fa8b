#pragma once

#include "PageText.h"
#include "SignOffBox.h"

#include <QList>
#include <QSizeF>

// Where the parts of the site record lie on its pages, in points from the top left of the
// printable area: the summary (title block, totals, sign-off) first, then every card of 48 channels
// in order, a unit heading before each unit's first card. A card starts on a new page when the rest
// of the page cannot hold it, and is split (its heading repeated) only when no page can.
class SiteRecordLayout
{
public:
    struct Block
    {
        enum class Kind { Summary, UnitHeading, CardHeading, Rows };
        Kind kind;
        int card = 0;           // 0-based over the site: unit card / 8, card letter card % 8
        int firstRow = 0;       // Rows: the first table row of the block
        int rowCount = 0;       // Rows: how many
        bool continued = false; // CardHeading: the card began on an earlier page
        double top = 0;
        double height = 0;
    };
    using Page = QList<Block>;

    static constexpr double kUnitHeadingHeight = 26;
    static constexpr double kCardHeadingHeight = 34; // the card's title and the column titles
    static constexpr double kRowHeight = 12.5;
    static constexpr double kSummaryLineHeight = 16;

    SiteRecordLayout(int channels, const QSizeF& area);

    const QList<Page>& pages() const { return pages_; }
    double bodyTop() const { return PageText::kHeadHeight; }
    double bodyBottom() const { return area_.height() - PageText::kFootHeight; }
    double width() const { return area_.width(); }
    // The summary's lines: a title, the title block's eight, a line per unit with its column
    // titles, and a line apart before each table.
    static int summaryLines(int units) { return 12 + units; }
    static double summaryHeight(int units)
    {
        return summaryLines(units) * kSummaryLineHeight + SignOffBox::kHeight;
    }

private:
    void add(Block block);
    void newPage();
    void placeCard(int card);
    int rowsThatFit() const;

    QSizeF area_;
    int units_;
    QList<Page> pages_;
    double y_ = 0;
};
