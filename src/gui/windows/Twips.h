#pragma once

class QWidget;

// Window geometry is kept in twips (1440 to the inch), converted through the logical DPI of
// the widget's screen (the primary screen when there is no widget).
namespace Twips {

int toPixelsX(double twips, const QWidget* widget = nullptr);
int toPixelsY(double twips, const QWidget* widget = nullptr);
double fromPixelsX(int pixels, const QWidget* widget = nullptr);
double fromPixelsY(int pixels, const QWidget* widget = nullptr);

} // namespace Twips
