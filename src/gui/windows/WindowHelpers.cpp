#include "WindowHelpers.h"

#include "Twips.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

#include <cmath>

namespace ModFunc {

namespace {

int itemNumber(const QVariant& data)
{
    bool ok = false;
    const int number = data.toInt(&ok);
    return ok ? number : 0;
}

double roundHalfToEven(double value)
{
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

// The offset in twips that centres `window` pixels in `screen` pixels, never negative.
int centredOffset(int screen, int window, double (*fromPixels)(int, const QWidget*),
                  const QWidget* form)
{
    const double twips = roundHalfToEven((fromPixels(screen, form) - fromPixels(window, form)) / 2);
    return int(std::max(twips, 0.0));
}

} // namespace

int SelectedItemData(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? 0 : itemNumber(selected.first()->data(Qt::UserRole));
}

void CentreForm(QWidget* form)
{
    if (!form)
        return;
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = form->frameGeometry().size();
    const int left = centredOffset(area.width(), size.width(), Twips::fromPixelsX, form);
    const int top = centredOffset(area.height(), size.height(), Twips::fromPixelsY, form);
    form->move(area.left() + Twips::toPixelsX(left, form),
               area.top() + Twips::toPixelsY(top, form));
}

void PlaceInTwips(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(Twips::toPixelsX(left, control), Twips::toPixelsY(top, control),
                         Twips::toPixelsX(width, control), Twips::toPixelsY(height, control));
}

} // namespace ModFunc
