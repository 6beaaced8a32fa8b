#pragma once

#include "LabelSheetGrid.h"
#include "PagedDocument.h"
#include "labels/LabelRows.h"

#include <QList>

class QFont;

// The relay labels on label stock: one label per row of the labels database (four channels,
// each with its label, relay name and "B" for a back contact), across then down the sheet,
// from a chosen label of the first sheet on (a sheet partly used already). Each sheet names the
// site and its fingerprint outside the labels.
class LabelSheetDocument : public PagedDocument
{
public:
    // The grid must have no problem(); `firstLabel` is 1 to the labels of a sheet.
    LabelSheetDocument(QList<LabelRow> rows, const QString& siteName, const QString& fingerprint,
                       const LabelSheetGrid& grid, int firstLabel = 1);

    QPageLayout preferredLayout() const override;
    QString title() const override;
    QString siteName() const { return siteName_; }
    int layOut(const QSizeF& area) override;
    void paintPage(QPainter& painter, const PointScale& scale, int page) const override;

private:
    void paintLabel(QPainter& painter, const PointScale& scale, const QRectF& label,
                    const LabelRow& row) const;

    QList<LabelRow> rows_;
    QString siteName_;
    QString fingerprint_;
    LabelSheetGrid grid_;
    int skipped_; // labels of the first sheet used already
    int sheets_ = 1;
};
