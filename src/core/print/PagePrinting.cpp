#include "PagePrinting.h"

#include "common/AtomicFile.h"

#include <QBuffer>
#include <QList>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

#include <functional>

namespace {

// Fine enough that text and rules land where the layout puts them.
constexpr int kPdfResolution = 1200;

int layOutFor(PagedDocument& document, const QPagedPaintDevice& device)
{
    const PointScale scale = PointScale::of(device);
    return document.layOut(QSizeF(device.width() / scale.x, device.height() / scale.y));
}

// Puts `pages` pages on the device, one after another; `paint` answers false to stop.
PrintOutcome paintPages(QPagedPaintDevice& device, int pages,
                        const std::function<bool(QPainter&, int)>& paint)
{
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::Failed;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return PrintOutcome::Failed;
        if (!paint(painter, page))
            return PrintOutcome::Cancelled;
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace

PrintOutcome PrintDocument(PagedDocument& document, QPagedPaintDevice& device,
                           const PrintProgress& progress)
{
    const PointScale scale = PointScale::of(device);
    const int pages = layOutFor(document, device);
    return paintPages(device, pages, [&](QPainter& painter, int page) {
        document.paintPage(painter, scale, page);
        return !progress || progress(page + 1, pages);
    });
}

PrintOutcome PrintDrawnPages(PagedDocument& document, QPagedPaintDevice& device,
                             const PrintProgress& progress)
{
    const int count = layOutFor(document, device);
    QList<QPicture> pages(count);
    for (int page = 0; page < count; ++page) {
        QPainter painter(&pages[page]);
        document.paintPage(painter, PointScale::of(pages[page]), page);
        painter.end();
        if (progress && !progress(page + 1, count))
            return PrintOutcome::Cancelled;
    }
    // A picture is put on the device at the device's resolution by Qt itself.
    return paintPages(device, count, [&pages](QPainter& painter, int page) {
        painter.drawPicture(0, 0, pages[page]);
        return true;
    });
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
