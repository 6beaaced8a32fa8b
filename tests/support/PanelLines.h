#pragma once

#include "support/DoubleClick.h"

#include <QStringList>
#include <QTreeView>

// The lines of a checks panel, fields joined by tabs.
inline QStringList rowsOf(const QTreeView* list)
{
    const QAbstractItemModel& lines = *list->model();
    QStringList rows;
    for (int i = 0; i < lines.rowCount(); ++i) {
        QStringList fields;
        for (int column = 0; column < lines.columnCount(); ++column)
            fields.append(lines.index(i, column).data().toString());
        rows.append(fields.join(u'\t'));
    }
    return rows;
}

// A line of a panel double-clicked where the user sees it, scrolled to first.
inline void doubleClickLine(QTreeView* list, int line)
{
    const QModelIndex item = list->model()->index(line, 0);
    list->scrollTo(item);
    const QPoint centre = list->visualRect(item).center();
    QVERIFY(list->viewport()->rect().contains(centre));
    doubleClickAt(list->viewport(), centre);
}
