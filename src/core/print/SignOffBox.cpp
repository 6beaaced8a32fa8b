#include "SignOffBox.h"

#include "PageText.h"
#include "PrintFont.h"

#include <QStringList>

namespace SignOffBox {

namespace {

// Where each column starts, as a share of the width; the signature gets the most room.
constexpr double kColumnStarts[] = {0.0, 0.18, 0.48, 0.82, 1.0};
constexpr double kPadding = 4;

} // namespace

void paint(PageText& page, double top, double width)
{
    const QStringList titles{QString(), QStringLiteral("Name"), QStringLiteral("Signature"),
                             QStringLiteral("Date")};
    const QStringList roles{QStringLiteral("Prepared by"), QStringLiteral("Checked by"),
                            QStringLiteral("Approved by")};
    const QFont bold = PrintFont(9, true);
    for (int c = 0; c < titles.size(); ++c) {
        const double left = kColumnStarts[c] * width;
        const double right = kColumnStarts[c + 1] * width;
        page.text({left + kPadding, top, right - left - 2 * kPadding, kTitleHeight}, titles[c],
                  bold);
        for (int r = 0; r < roles.size(); ++r) {
            const QRectF cell(left, top + kTitleHeight + r * kRowHeight, right - left, kRowHeight);
            page.box(cell);
            if (c == 0)
                page.text(cell.adjusted(kPadding, 0, -kPadding, 0), roles[r], bold);
        }
    }
}

} // namespace SignOffBox
