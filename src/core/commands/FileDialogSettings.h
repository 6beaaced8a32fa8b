#pragma once

#include "common/Dialogs.h"

// The file dialogs of Open, Save As and Export, before the caller fills in the directory
// and the proposed name.
namespace FileDialogSettings {

FileDialogRequest open();
FileDialogRequest saveAs();
FileDialogRequest exportToCard();

} // namespace FileDialogSettings
