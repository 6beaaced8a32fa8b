#pragma once

#include "PointScale.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

// Told after each page is drawn: the pages done and the pages in all. Answers false to stop.
using PrintProgress = std::function<bool(int done, int total)>;

// A document printed or written as PDF page by page.
class PagedDocument
{
public:
    virtual ~PagedDocument() = default;

    // The paper, orientation and margins the document is made for.
    virtual QPageLayout preferredLayout() const = 0;
    virtual QString title() const = 0;
    // Lays the document out on pages whose printable area is `area` points; answers the number
    // of pages.
    virtual int layOut(const QSizeF& area) = 0;
    // Draws page `page` (0-based) of the last layout.
    virtual void paintPage(QPainter& painter, const PointScale& scale, int page) const = 0;
};
