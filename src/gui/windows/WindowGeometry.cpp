#include "WindowGeometry.h"

#include "FormSizeSettings.h"
#include "Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

constexpr double kFormWidth = 6945;
constexpr double kMinimumHeight = 2000;

} // namespace

WindowGeometry::WindowGeometry(QWidget& window, const QWidget* content)
    : QObject(&window), window_(window), content_(content)
{
    window.installEventFilter(this);
}

void WindowGeometry::placeFromSettings()
{
    const FormSize size = LoadFormSize();
    QPoint position(Twips::toPixelsX(size.left), Twips::toPixelsY(size.top));
    outerHeight_ = Twips::toPixelsY(size.height);
    const QScreen* screen = QGuiApplication::screenAt(position);
    // A position stored on a screen that is no longer attached would hide the window.
    if (!screen && QGuiApplication::primaryScreen()) {
        screen = QGuiApplication::primaryScreen();
        position = screen->availableGeometry().topLeft();
    }
    if (screen)
        fitInto(screen->availableGeometry(), position);
    window_.move(position);
    applyOuterSize();
}

// The title bar and the status bar stay on the screen: the height is cut to the room below the
// stored top, and the window moves up only where the least height does not fit there.
void WindowGeometry::fitInto(const QRect& area, QPoint& position)
{
    position.setY(std::max(position.y(), area.top()));
    const int least = Twips::toPixelsY(kMinimumHeight);
    outerHeight_ = std::clamp(outerHeight_, least, std::max(area.height(), least));
    const int below = area.bottom() + 1 - position.y();
    if (outerHeight_ > below)
        outerHeight_ = std::max(below, least);
    if (position.y() + outerHeight_ > area.bottom() + 1)
        position.setY(std::max(area.top(), area.bottom() + 1 - outerHeight_));
}

// Width and height count the window's frame.
void WindowGeometry::applyOuterSize()
{
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    applyWidth();
    window_.setMinimumHeight(Twips::toPixelsY(kMinimumHeight) - frame.height());
    window_.resize(window_.width(),
                   std::max(outerHeight_ - frame.height(), window_.minimumHeight()));
}

void WindowGeometry::applyWidth()
{
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    const int width = std::max(Twips::toPixelsX(kFormWidth) - frame.width(),
                               (content_ ? content_->minimumWidth() : 0));
    if (window_.minimumWidth() != width || window_.maximumWidth() != width)
        window_.setFixedWidth(width);
}

// On X11 the window manager adds the frame some time after the window is shown; until then
// the frame reads as nothing, and a size set without it would make the window taller by the
// frame on every start. So the stored size is applied again once, when the frame appears.
void WindowGeometry::applyOuterSizeOnceFramed()
{
    if (framed_ || !window_.isVisible() ||
        window_.frameGeometry().size() == window_.geometry().size())
        return;
    framed_ = true;
    applyOuterSize();
}

bool WindowGeometry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Show && !shownOnce_) {
            shownOnce_ = true;
            applyOuterSize();
        }
        if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
            event->type() == QEvent::Resize)
            applyOuterSizeOnceFramed();
        // The content asks for more or less room when its font or the screen changes.
        if (event->type() == QEvent::LayoutRequest && shownOnce_)
            applyWidth();
    }
    return QObject::eventFilter(watched, event);
}

void WindowGeometry::store() const
{
    FormSize size;
    size.top = Twips::fromPixelsY(window_.frameGeometry().top());
    size.left = Twips::fromPixelsX(window_.frameGeometry().left());
    size.height = Twips::fromPixelsY(window_.frameGeometry().height());
    SaveFormSize(size);
}
