#pragma once

#include <QModelIndex>
#include <QString>

class QWidget;

// What a GUI scenario's "expect KEY: VALUE" compares, as the window shows it now.
namespace ScenarioState {

// The keys a script may name, as "caption", "status StatusNote" or "problems"; the state's text,
// several lines for a block. `known` is false for a key there is no such state of.
QString of(QWidget* window, const QString& key, bool* known);

// The grid's cell "AA05 relNam"; invalid for no such cell.
QModelIndex cellAt(QWidget* window, const QString& cell);

} // namespace ScenarioState
