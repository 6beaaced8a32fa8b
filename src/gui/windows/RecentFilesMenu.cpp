#include "RecentFilesMenu.h"

#include "RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

RecentFilesMenu::RecentFilesMenu(QMenu& menu, std::function<void(const QString&)> open,
                                 QAction* before)
    : QObject(&menu), menu_(menu), open_(std::move(open)), before_(before)
{
    show(RecentFiles::Load());
}

// Stored once the command has ended and the grid is drawn: the store waits for the disk.
void RecentFilesMenu::add(const QString& path)
{
    QTimer::singleShot(0, this, [this, path] { show(RecentFiles::Add(path)); });
}

void RecentFilesMenu::show(const QStringList& files)
{
    qDeleteAll(actions_);
    actions_.clear();
    if (files.isEmpty())
        return;
    QAction* separator = menu_.insertSeparator(before_);
    separator->setObjectName(QStringLiteral("MnuSepRecent"));
    actions_.append(separator);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), &menu_);
        action->setObjectName(QStringLiteral("MnuRecent%1").arg(i + 1));
        action->setStatusTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { open_(path); });
        menu_.insertAction(before_, action);
        actions_.append(action);
    }
}
