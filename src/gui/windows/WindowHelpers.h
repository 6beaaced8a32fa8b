#pragma once

class QListWidget;
class QTreeView;
class QWidget;

namespace ModFunc {

// The item data (Qt::UserRole) of the selected entry; 0 when nothing is selected or the entry
// carries no number.
int SelectedItemData(const QListWidget& list);

// Moves the window to the middle of its screen, counted in twips with halves rounded to the
// even neighbour; a window larger than the screen goes to the screen's top or left edge.
void CentreForm(QWidget* form);

// Places a control inside its window at a position and size given in twips.
void PlaceInTwips(QWidget* control, double left, double top, double width, double height);

// Fits each column but the last, which stretches, to its header and lines, measured once (long
// lists by a sample).
void FitColumns(QTreeView& list);

} // namespace ModFunc
