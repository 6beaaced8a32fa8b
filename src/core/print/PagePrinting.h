#pragma once

#include "PagedDocument.h"
#include "common/FileResult.h"

#include <optional>

class QPagedPaintDevice;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Lays the document out for the device's printable area and draws every page on it. Failed
// when the device cannot be painted on or refuses a new page; Cancelled when the progress
// answered false (the pages drawn so far are on the device).
PrintOutcome PrintDocument(PagedDocument& document, QPagedPaintDevice& device,
                           const PrintProgress& progress = {});

// As PrintDocument, but every page is drawn into memory first, where the progress may stop it
// at no cost, and the device gets the pages only once all are drawn: for printers, which
// cannot take back a job once it has begun.
PrintOutcome PrintDrawnPages(PagedDocument& document, QPagedPaintDevice& device,
                             const PrintProgress& progress);

// Writes the document as a PDF on its preferred page layout, replacing `path` only once the
// whole file is made. Nothing when the progress stopped it (and `path` is untouched).
std::optional<FileResult> WritePdf(PagedDocument& document, const QString& path,
                                   const PrintProgress& progress = {});
