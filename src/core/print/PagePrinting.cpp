#include "PagePrinting.h"

#include "common/AtomicFile.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Fine enough that text and rules land where the layout puts them.
constexpr int kPdfResolution = 1200;

} // namespace

PrintOutcome PrintDocument(PagedDocument& document, QPagedPaintDevice& device,
                           const PrintProgress& progress)
{
    const PointScale scale = PointScale::of(device);
    const int pages = document.layOut(QSizeF(device.width() / scale.x, device.height() / scale.y));
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::Failed;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return PrintOutcome::Failed;
        document.paintPage(painter, scale, page);
        if (progress && !progress(page + 1, pages))
            return PrintOutcome::Cancelled;
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

std::optional<FileResult> WritePdf(PagedDocument& document, const QString& path,
                                   const PrintProgress& progress)
{
    // Made in memory, so that a cancelled or failed PDF leaves no part of a file behind.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PrintOutcome outcome;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(document.preferredLayout());
        writer.setCreator(QStringLiteral("ZR415Config"));
        writer.setTitle(document.title());
        outcome = PrintDocument(document, writer, progress);
    }
    if (outcome == PrintOutcome::Cancelled)
        return std::nullopt;
    if (outcome == PrintOutcome::Failed)
        return FileResult::failure(QStringLiteral("The pages could not be drawn."));
    return AtomicFile::write(path, buffer.data());
}
