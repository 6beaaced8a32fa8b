#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QWidget>

// A window's control by its object name; nullptr when it has none of that name and class.
template <typename T>
T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// The texts of a list control, top to bottom.
inline QStringList listTexts(QWidget* window, const char* name)
{
    QStringList texts;
    auto* list = child<QListWidget>(window, name);
    for (int i = 0; list && i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}
