#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rows of pasted text and their cells: split at tabs when the text holds one, as a
// spreadsheet's copy does, else at commas. A cell that begins with a double quote whose closing
// quote ends the cell is quoted and may hold the delimiter and line breaks (a spreadsheet copies
// a cell with a line break so); each break becomes a space. Any other quote is text.
QList<QStringList> PastedCells(const QString& text);
