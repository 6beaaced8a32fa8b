#include "AlterationRecordDocument.h"

#include "PageText.h"
#include "PrintFont.h"
#include "PrintedSite.h"
#include "SignOffBox.h"

#include "common/ChannelLabel.h"

#include <QColor>
#include <QMarginsF>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 36; // half an inch, as the site record
constexpr double kLine = 14;
constexpr double kRowHeight = 12.5;
constexpr double kTableHead = 18;
// Where each column of the table starts, as a share of the width: channel, field, old value,
// the arrow, new value.
constexpr double kColumnStarts[] = {0.0, 0.11, 0.26, 0.60, 0.64, 1.0};
constexpr double kPadding = 3;
const QColor kShade(238, 238, 238);
const QColor kNewMark(255, 236, 160);

QRectF column(int index, double top, double width)
{
    const double left = kColumnStarts[index] * width;
    const double right = kColumnStarts[index + 1] * width;
    return {left + kPadding, top, right - left - 2 * kPadding, kRowHeight};
}

QString when(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : QStringLiteral("(no file)");
}

QString rangeText(int first, int last)
{
    return QStringLiteral("%1 to %2 (%3 channels)")
        .arg(ModFunc::ChannelLabel(first + 1), ModFunc::ChannelLabel(last + 1))
        .arg(last - first + 1);
}

} // namespace

AlterationRecordDocument::AlterationRecordDocument(AlteredSite before, AlteredSite after,
                                                   SiteComparison changes, int commonChannels,
                                                   QDateTime printed)
    : before_(std::move(before)), after_(std::move(after)), changes_(std::move(changes)),
      commonChannels_(commonChannels), printed_(std::move(printed))
{
    QSet<int> rows;
    for (const SiteComparison::Cell& cell : changes_.cells)
        rows.insert(cell.row);
    changedChannels_ = int(rows.size());
}

QPageLayout AlterationRecordDocument::preferredLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Point);
}

QString AlterationRecordDocument::title() const
{
    return QStringLiteral("Alteration record - ") + after_.siteName;
}

QStringList AlterationRecordDocument::countLines() const
{
    QStringList lines{QStringLiteral("Printed: %1 by %2").arg(when(printed_), PrintingProgram()),
                      QStringLiteral("Channels changed: %1").arg(changedChannels_),
                      QStringLiteral("Channels unchanged: %1").arg(unchangedChannels())};
    for (const SiteComparison::Extra& extra : changes_.extras)
        lines.append((extra.ours ? QStringLiteral("Only in the new site: ")
                                 : QStringLiteral("Only in the old site: ")) +
                     rangeText(extra.first, extra.last));
    if (!changes_.statesCompared)
        lines.append(QStringLiteral("State texts not compared: a list or a Corvane site holds "
                                    "none."));
    return lines;
}

// The title, two sites of five lines each, the counts, then the sign-off boxes.
double AlterationRecordDocument::summaryHeight() const
{
    return (1 + 2 * 6 + countLines().size() + 1) * kLine + SignOffBox::kHeight + kLine;
}

int AlterationRecordDocument::layOut(const QSizeF& area)
{
    area_ = area;
    pages_.clear();
    const double bottom = area.height() - PageText::kFootHeight;
    double top = PageText::kHeadHeight + summaryHeight();
    const int lines = int(changes_.cells.size());
    int line = 0;
    do {
        const double room = bottom - top - kTableHead;
        // A page too small for a row still takes one, so the record always ends.
        const int fits = std::max(1, int(std::floor(room / kRowHeight + 1e-9)));
        const int count = pages_.isEmpty() && room < kRowHeight ? 0 : std::min(fits, lines - line);
        pages_.append({line, count});
        line += count;
        top = PageText::kHeadHeight;
    } while (line < lines);
    return int(pages_.size());
}

void AlterationRecordDocument::paintPage(QPainter& painter, const PointScale& scale, int page) const
{
    if (page < 0 || page >= pages_.size())
        return;
    PageText text(painter, scale);
    const double footTop = area_.height() - PageText::kFootHeight;
    text.frame({QStringLiteral("Alteration record"), after_.siteName, when(printed_).left(10)},
               {QStringLiteral("Old ") + before_.fingerprint,
                QStringLiteral("New ") + after_.fingerprint,
                QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages_.size())},
               area_.width(), footTop);
    double top = PageText::kHeadHeight;
    if (page == 0) {
        paintSummary(text);
        top += summaryHeight();
    }
    if (pages_[page].lineCount > 0)
        paintTable(text, top, pages_[page]);
}

void AlterationRecordDocument::paintSummary(PageText& page) const
{
    const double width = area_.width();
    double top = PageText::kHeadHeight;
    page.text({0, top, width, kLine + 4}, QStringLiteral("Alteration record"), PrintFont(16, true));
    top += kLine;
    paintSite(page, top, QStringLiteral("Old site"), before_);
    top += 6 * kLine;
    paintSite(page, top, QStringLiteral("New site"), after_);
    top += 6 * kLine;
    for (const QString& line : countLines()) {
        page.text({0, top, width, kLine}, line, PrintFont(10));
        top += kLine;
    }
    SignOffBox::paint(page, top + kLine, width);
}

void AlterationRecordDocument::paintSite(PageText& page, double top, const QString& role,
                                         const AlteredSite& site) const
{
    const QString file = site.file.isEmpty() ? QStringLiteral("(not saved to a file)") : site.file;
    const QString fingerprint =
        site.fingerprint +
        (site.unsaved ? QStringLiteral(" (with changes not saved to the file)") : QString());
    const QStringList lines{QStringLiteral("Site: ") + site.siteName,
                            QStringLiteral("File: ") + file,
                            QStringLiteral("Modified: ") + when(site.modified),
                            QStringLiteral("Fingerprint: ") + fingerprint};
    page.text({0, top + kLine / 2, area_.width(), kLine}, role, PrintFont(11, true));
    for (int i = 0; i < lines.size(); ++i)
        page.text({12, top + (i + 1.5) * kLine, area_.width() - 12, kLine}, lines[i],
                  PrintFont(10));
}

// A line per changed field; the new value bold on a mark, a channel's lines shaded alike.
void AlterationRecordDocument::paintTable(PageText& page, double top, const Page& lines) const
{
    const double width = area_.width();
    const QFont body = PrintFont(9);
    const QFont bold = PrintFont(9, true);
    const QStringList titles{QStringLiteral("Channel"), QStringLiteral("Field"),
                             QStringLiteral("Old"), QString(), QStringLiteral("New")};
    for (int c = 0; c < titles.size(); ++c)
        page.text(column(c, top + 2, width), titles[c], bold);
    page.rule(0, top + kTableHead - 2, width);
    top += kTableHead;
    for (int i = 0; i < lines.lineCount; ++i) {
        const int line = lines.firstLine + i;
        const SiteComparison::Cell& cell = changes_.cells[line];
        const double y = top + i * kRowHeight;
        if (cell.row % 2 == 1)
            page.shade({0, y, width, kRowHeight}, kShade);
        page.shade(column(4, y, width).adjusted(-kPadding, 1, kPadding, -1), kNewMark);
        page.text(column(0, y, width), DifferenceText(changes_, line, DifferenceField::Channel),
                  bold);
        page.text(column(1, y, width), DifferenceText(changes_, line, DifferenceField::Column),
                  body);
        page.text(column(2, y, width), cell.theirs, body);
        page.text(column(3, y, width), QStringLiteral("->"), body, Qt::AlignHCenter);
        page.text(column(4, y, width), cell.ours, bold);
    }
}
