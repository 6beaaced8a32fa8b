#include "WindowHelpers.h"

#include "Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QTreeView>

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

// The window's size with its frame. Before a window is shown the system has not framed it
// yet, so the frame of a window that is shown stands in, else a title bar and borders.
QSize outerSize(const QWidget* form)
{
    if (form->isVisible() && form->frameGeometry().size() != form->geometry().size())
        return form->frameGeometry().size();
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        if (window != form && window->isVisible() && frame != QSize(0, 0))
            return form->size() + frame;
    }
    const int border = form->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = form->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return form->size() + QSize(2 * border, title + 2 * border);
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
    const QSize size = outerSize(form);
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

void FitColumns(QTreeView& list)
{
    // The lines from the first shown on; the texts are short and alike, so a sample serves.
    constexpr int kSampleLines = 100;
    list.header()->setResizeContentsPrecision(kSampleLines);
    // The last column takes the room that is left, however long its texts.
    list.header()->setStretchLastSection(true);
    for (int column = 0; column + 1 < list.header()->count(); ++column)
        list.resizeColumnToContents(column);
}

} // namespace ModFunc
