#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// A part of a window that a test drives, found as the window holds it: by its class, and by its
// object name where the window has several of the class. A missing part ends the test program:
// every test after it would only fail the same way.
template <typename T>
T& partOf(const QObject& window, const char* name = nullptr)
{
    T* part = window.findChild<T*>(name ? QString::fromLatin1(name) : QString());
    if (!part)
        qFatal("the window has no %s %s", T::staticMetaObject.className(), name ? name : "");
    return *part;
}
