#pragma once

#include <QPageSize>
#include <QRectF>
#include <QString>

// The label stock printed on: a grid of equal labels on a sheet, measured in millimetres from
// the sheet's top left edge. The defaults are a common A4 stock of 21 labels (3 x 7,
// 63.5 x 38.1 mm).
struct LabelSheetGrid
{
    QPageSize::PageSizeId paper = QPageSize::A4;
    int columns = 3;
    int rows = 7;
    double leftMargin = 7.2; // to the first column's left edge
    double topMargin = 15.1; // to the first row's top edge
    double labelWidth = 63.5;
    double labelHeight = 38.1;
    double columnGap = 2.5; // between two labels side by side
    double rowGap = 0;      // between two labels one above the other
    bool outlines = true;   // a faint outline round each label, to check the stock's alignment

    // What label stock comes as: more labels, or smaller ones, make no sheet anyone prints on.
    static constexpr int kMostColumns = 20;
    static constexpr int kMostRows = 40;
    static constexpr double kSmallestWidth = 10;
    static constexpr double kSmallestHeight = 5;

    int labelsPerSheet() const { return columns * rows; }
    // Why labels of this grid cannot be printed (none, too many or too small, or not all on
    // the sheet); empty when they can.
    QString problem() const;
    // Label `index` of a sheet (0-based, across then down), in points from the sheet's corner.
    QRectF labelRect(int index) const;
    // Where a line of text fits on the sheet outside the labels (the larger of the margins
    // below and above them), in points; at the sheet's foot when neither has room.
    QRectF spareStrip() const;

    friend bool operator==(const LabelSheetGrid&, const LabelSheetGrid&) = default;
};
