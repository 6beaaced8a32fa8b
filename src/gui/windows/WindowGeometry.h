#pragma once

#include <QObject>

class QWidget;

// The main window's place and size: the stored position and height on start (in twips, outer
// size with the frame), the fixed width and the minimum height, and storing them on close.
class WindowGeometry : public QObject
{
    Q_OBJECT

public:
    explicit WindowGeometry(QWidget& window);

    // Places the window from the stored position and height.
    void placeFromSettings();
    void store() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyOuterSize();
    void applyOuterSizeOnceFramed();

    QWidget& window_;
    int outerHeight_ = 0;
    bool shownOnce_ = false;
    bool framed_ = false;
};
