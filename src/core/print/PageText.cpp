#include "PageText.h"

#include "PrintFont.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double kFramePoints = 9;

} // namespace

void PageText::text(const QRectF& points, const QString& text, const QFont& font,
                    Qt::Alignment alignment)
{
    const QRectF area = scale_.rect(points);
    const QFontMetricsF metrics(font, painter_.device());
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(area, int(alignment | Qt::AlignVCenter),
                      metrics.elidedText(text, Qt::ElideRight, area.width()));
}

void PageText::rule(double left, double top, double right, double width)
{
    painter_.setPen(QPen(Qt::black, width * scale_.y));
    painter_.drawLine(scale_.point(left, top), scale_.point(right, top));
}

void PageText::box(const QRectF& points, double width)
{
    painter_.setPen(QPen(Qt::black, width * scale_.y));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(scale_.rect(points));
}

void PageText::shade(const QRectF& points, const QColor& colour)
{
    painter_.fillRect(scale_.rect(points), colour);
}

void PageText::frame(const QStringList& head, const QStringList& foot, double width, double footTop)
{
    const QFont body = PrintFont(kFramePoints);
    const double third = width / 3;
    const double line = kHeadHeight - 8;
    const Qt::Alignment places[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        const QFont font = i == 0 ? PrintFont(10, true) : body;
        text({i * third, 0, third, line}, head.value(i), font, places[i]);
        text({i * third, footTop + 8, third, kFootHeight - 8}, foot.value(i), body, places[i]);
    }
    rule(0, line + 2, width);
    rule(0, footTop + 6, width);
}
