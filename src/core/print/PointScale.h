#pragma once

#include <QPaintDevice>
#include <QRectF>

// Pages are laid out in points (1/72 inch) and drawn in the device's own units, which differ
// between a PDF, a preview and a printer.
struct PointScale
{
    double x = 1.0; // device units per point across
    double y = 1.0; // device units per point down

    static PointScale of(const QPaintDevice& device)
    {
        return {device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0};
    }
    QRectF rect(const QRectF& points) const
    {
        return {points.x() * x, points.y() * y, points.width() * x, points.height() * y};
    }
    QPointF point(double left, double top) const { return {left * x, top * y}; }
};
