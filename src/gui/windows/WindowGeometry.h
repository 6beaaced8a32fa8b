#pragma once

#include <QObject>

class QPoint;
class QRect;
class QWidget;

// The main window's place and size: the stored position and height on start (in twips, outer
// size with the frame), within the available screen, the fixed width and the minimum height, and
// storing them on close. The width is the described one unless the content needs more to show whole
// (a wide font).
class WindowGeometry : public QObject
{
    Q_OBJECT

public:
    // `content`, when given, spans the window's inner width; its minimum width is kept whole.
    explicit WindowGeometry(QWidget& window, const QWidget* content = nullptr);

    // Places the window from the stored position and height.
    void placeFromSettings();
    void store() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitInto(const QRect& area, QPoint& position);
    void applyOuterSize();
    void applyWidth();
    void applyOuterSizeOnceFramed();

    QWidget& window_;
    const QWidget* content_;
    int outerHeight_ = 0;
    bool shownOnce_ = false;
    bool framed_ = false;
};
