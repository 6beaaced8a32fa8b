#pragma once

#include <QString>

class QWidget;

// What a GUI scenario's "expect KEY: VALUE" compares, as the window shows it now.
namespace ScenarioState {

// The keys a script may name, as "caption", "status StatusNote" or "problems"; the state's text,
// several lines for a block. `known` is false for a key there is no such state of.
QString of(QWidget* window, const QString& key, bool* known);

// "relNam" for the relay name column, and so on; -1 for no column of that key.
int columnOf(const QString& key);

} // namespace ScenarioState
