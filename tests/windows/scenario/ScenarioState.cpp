#include "ScenarioState.h"

#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "document/ChannelTableModel.h"
#include "labels/LabelDatabase.h"
#include "support/GoldenFiles.h"
#include "support/SiteDump.h"
#include "support/WindowParts.h"
#include "windows/ChannelGridDelegate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <functional>
#include <map>

namespace ScenarioState {

namespace {

const QStringList kColumnKeys{"Chan", "relNam", "back", "stUp", "stDn"};

QString yesNo(bool value)
{
    return value ? "yes" : "no";
}

// The caption as the title bar shows it, the mark of unsaved changes in place.
QString caption(QWidget* window)
{
    return QString(window->windowTitle()).replace("[*]", window->isWindowModified() ? "*" : "");
}

QString site(QWidget* window)
{
    const auto& commands = partOf<DocumentCommands>(*window);
    return RenderSite({caption(window), commands.site().siteFileTitle, commands.isModified(),
                       partOf<ChannelTableModel>(*window).rows()})
        .trimmed();
}

// The lines of a panel's list, fields joined by " | ".
QString panelLines(QWidget* window, const char* list)
{
    const QAbstractItemModel& lines = *partOf<QTreeView>(*window, list).model();
    QStringList rows;
    for (int row = 0; row < lines.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < lines.columnCount(); ++column)
            fields.append(lines.index(row, column).data().toString());
        rows.append(fields.join(" | "));
    }
    return rows.join('\n');
}

QString recoveryCopies()
{
    return QString::number(
        QDir(SiteRecovery::defaultFolder()).entryList({"*.zr415-recovery"}, QDir::Files).size());
}

// The widget with the keyboard, by its object name or, for an editor without one, by the named
// widget it edits in.
QString focus()
{
    QWidget* widget = QApplication::focusWidget();
    if (!widget)
        return "(none)";
    QString name = widget->objectName();
    for (QWidget* parent = widget; name.isEmpty() && parent; parent = parent->parentWidget()) {
        if (!parent->objectName().isEmpty())
            name = QString(widget->metaObject()->className()) + " in " + parent->objectName();
    }
    return name.isEmpty() ? widget->metaObject()->className() : name;
}

// Whether the cell is drawn with the mark of a difference, in a corner away from its text.
QString marked(QWidget* window, const QString& cell)
{
    auto& grid = partOf<QAbstractItemView>(*window, "SGGrid1");
    grid.scrollTo(cellAt(window, cell));
    const QRect rect = grid.visualRect(cellAt(window, cell));
    const QRgb pixel = grid.viewport()->grab().toImage().pixel(rect.right() - 3, rect.top() + 3);
    if (pixel == ChannelGridDelegate::kAlteredMark)
        return "altered";
    return yesNo(pixel == ChannelGridDelegate::kDifferenceMark);
}

// The tooltip as the grid shows it under the mouse.
QString tooltip(QWidget* window, const QString& cell)
{
    auto& grid = partOf<QAbstractItemView>(*window, "SGGrid1");
    grid.scrollTo(cellAt(window, cell));
    const QPoint at = grid.visualRect(cellAt(window, cell)).center();
    // A tip hidden a moment ago still shows while it fades.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 30000))
        return "(a tooltip that stays)";
    QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &help);
    const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return text;
}

QString currentCell(QWidget* window)
{
    const QModelIndex cell = partOf<QAbstractItemView>(*window, "SGGrid1").currentIndex();
    if (!cell.isValid())
        return "(none)";
    return LabelOf(cell.row() + 1) + ' ' + kColumnKeys.value(cell.column());
}

// The selected cells as ranges "AA02 back-AA04 stUp", one a line.
QString selection(QWidget* window)
{
    const auto& grid = partOf<QAbstractItemView>(*window, "SGGrid1");
    QStringList ranges;
    for (const QItemSelectionRange& range : grid.selectionModel()->selection()) {
        ranges.append(LabelOf(range.top() + 1) + ' ' + kColumnKeys.value(range.left()) + '-' +
                      LabelOf(range.bottom() + 1) + ' ' + kColumnKeys.value(range.right()));
    }
    return ranges.join('\n');
}

// A view's column headings, as " | " joins them.
QString columns(QWidget* window, const QString& view)
{
    const QAbstractItemModel& model = *partOf<QAbstractItemView>(*window, qPrintable(view)).model();
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column)
        captions.append(model.headerData(column, Qt::Horizontal).toString());
    return captions.join(" | ");
}

QString escaped(QString text)
{
    return text.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n");
}

} // namespace

QModelIndex cellAt(QWidget* window, const QString& cell)
{
    const auto& grid = partOf<QAbstractItemView>(*window, "SGGrid1");
    return grid.model()->index(ChannelOf(cell.section(' ', 0, 0)) - 1,
                               int(kColumnKeys.indexOf(cell.section(' ', 1))));
}

QString of(QWidget* window, const QString& key, bool* known)
{
    *known = true;
    const QString name = key.section(' ', 1);
    if (key.startsWith("text ")) {
        if (const auto* box = window->findChild<QComboBox*>(name))
            return box->currentText();
        const auto* label = window->findChild<QLabel*>(name);
        return label ? label->text() : "(no label " + name + ")";
    }
    if (key.startsWith("title ")) {
        const auto* widget = window->findChild<QWidget*>(name);
        return widget ? widget->windowTitle() : "(no widget " + name + ")";
    }
    if (key.startsWith("tooltip "))
        return tooltip(window, name);
    if (key.startsWith("mark "))
        return marked(window, name);
    if (key.startsWith("columns "))
        return columns(window, name);
    if (key.startsWith("enabled ")) {
        const auto* action = window->findChild<QAction*>(name);
        return action ? yesNo(action->isEnabled()) : "(no action " + name + ")";
    }
    const std::map<QString, std::function<QString()>> states{
        {"caption", [&] { return caption(window); }},
        {"shown", [&] { return yesNo(window->isVisible()); }},
        {"modified", [&] { return yesNo(partOf<DocumentCommands>(*window).isModified()); }},
        {"site", [&] { return site(window); }},
        {"problems", [&] { return panelLines(window, "ProblemsList"); }},
        {"differences", [&] { return panelLines(window, "DifferencesList"); }},
        {"recovery copies", recoveryCopies},
        {"labels",
         [] { return Golden::labelsTable(LabelDatabase::editorDefault().databaseFile()); }},
        {"focus", focus},
        {"cell", [&] { return currentCell(window); }},
        {"selection", [&] { return selection(window); }},
        {"columns", [&] { return columns(window, "SGGrid1"); }},
        {"clipboard", [] { return escaped(QApplication::clipboard()->text()); }},
    };
    const auto state = states.find(key);
    *known = state != states.end();
    return *known ? state->second() : QString();
}

} // namespace ScenarioState
