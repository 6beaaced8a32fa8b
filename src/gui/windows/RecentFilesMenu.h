#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

// The last channel files near the end of the File menu (before `before`, when given), numbered;
// choosing one opens it. The
// separator and the entries are there only while there are recent files, so that an empty
// list leaves the menu as it always was.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    RecentFilesMenu(QMenu& menu, std::function<void(const QString& path)> open,
                    QAction* before = nullptr);

    // Puts the path first in the stored list and shows the list.
    void add(const QString& path);

private:
    void show(const QStringList& files);

    QMenu& menu_;
    std::function<void(const QString&)> open_;
    QAction* before_;
    QList<QAction*> actions_; // with their separator
};
