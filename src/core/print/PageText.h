#pragma once

#include "PointScale.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Drawing on a page in points: text cut to its room with an ellipsis, rules, boxes and
// shading, and the frame that every page of a record has.
class PageText
{
public:
    PageText(QPainter& painter, const PointScale& scale) : painter_(painter), scale_(scale) {}

    void text(const QRectF& points, const QString& text, const QFont& font,
              Qt::Alignment alignment = Qt::AlignLeft);
    void rule(double left, double top, double right, double width = 0.5);
    void box(const QRectF& points, double width = 0.5);
    void shade(const QRectF& points, const QColor& colour);

    // Three texts across the top (left, centre, right) above a rule, and three across the foot
    // below a rule at `footTop`; the page's printable area is `width` points wide.
    void frame(const QStringList& head, const QStringList& foot, double width, double footTop);

    static constexpr double kHeadHeight = 26;
    static constexpr double kFootHeight = 22;

private:
    QPainter& painter_;
    PointScale scale_;
};
