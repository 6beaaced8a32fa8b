#pragma once

#include "print/LabelSheetGrid.h"

// The label stock in section "LabelSheet" of the settings.
namespace LabelSheetSettings {

// A value that is absent or not a number gives its default; a paper other than A4 or Letter
// gives A4.
LabelSheetGrid Load();
void Save(const LabelSheetGrid& grid);

} // namespace LabelSheetSettings
