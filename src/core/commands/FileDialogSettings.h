#pragma once

#include "common/Dialogs.h"

// The file dialogs of Open, Save As and Export, before the caller fills in the directory
// and the proposed name.
namespace FileDialogSettings {

FileDialogRequest open();
FileDialogRequest saveAs();
FileDialogRequest exportToCard();
// The site to compare with: a channel file, a list or a Corvane site's DChannel.cfg.
FileDialogRequest compareWith();
// A card's channel file to verify against the site.
FileDialogRequest verifyCard();
// The comparison report, a CSV list.
FileDialogRequest report();
// A printed document saved as PDF, titled as the job.
FileDialogRequest pdf(const QString& title);

} // namespace FileDialogSettings
