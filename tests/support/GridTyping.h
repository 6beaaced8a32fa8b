#pragma once

#include "document/ChannelTableModel.h"
#include "support/WindowParts.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"

#include <QLineEdit>
#include <QTest>

// Types into a relay name's editor and leaves it open, as a user who has not pressed Enter.
inline void typeIntoRelayName(FrmDips& window, int row, const QString& text)
{
    ChannelGridView* grid = &partOf<ChannelGridView>(window, "SGGrid1");
    const QModelIndex cell =
        partOf<ChannelTableModel>(window).index(row, ChannelTableModel::ColRelNam);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
}
