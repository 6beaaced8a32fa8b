#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Twips {

namespace {

constexpr double kTwipsPerInch = 1440.0;

const QScreen* screenOf(const QWidget* widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

double dpiX(const QWidget* widget)
{
    const QScreen* screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY(const QWidget* widget)
{
    const QScreen* screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int toPixelsX(double twips, const QWidget* widget)
{
    return int(std::lround(twips * dpiX(widget) / kTwipsPerInch));
}

int toPixelsY(double twips, const QWidget* widget)
{
    return int(std::lround(twips * dpiY(widget) / kTwipsPerInch));
}

double fromPixelsX(int pixels, const QWidget* widget)
{
    return std::round(pixels * kTwipsPerInch / dpiX(widget));
}

double fromPixelsY(int pixels, const QWidget* widget)
{
    return std::round(pixels * kTwipsPerInch / dpiY(widget));
}

} // namespace Twips
