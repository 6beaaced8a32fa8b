#pragma once

#include <QTest>
#include <QWidget>

// A double-click as a mouse delivers it: a click, then the press that doubles it.
// QTest::mouseDClick alone lacks the first click, which item views need to see.
inline void doubleClickAt(QWidget* widget, QPoint position)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
}
