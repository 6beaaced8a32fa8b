#include "LabelSheetGrid.h"

namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;
// Measurements are typed to a tenth of a millimetre; rounding must not push a label off.
constexpr double kTolerance = 0.05;

} // namespace

QString LabelSheetGrid::problem() const
{
    if (columns < 1 || rows < 1)
        return QStringLiteral("The sheet needs at least one column and one row of labels.");
    if (columns > kMostColumns || rows > kMostRows)
        return QStringLiteral("A sheet holds at most %1 columns and %2 rows of labels.")
            .arg(kMostColumns)
            .arg(kMostRows);
    if (!(labelWidth >= kSmallestWidth && labelHeight >= kSmallestHeight))
        return QStringLiteral("Labels need to be at least %1 mm wide and %2 mm high.")
            .arg(kSmallestWidth)
            .arg(kSmallestHeight);
    if (!(leftMargin >= 0 && topMargin >= 0 && columnGap >= 0 && rowGap >= 0))
        return QStringLiteral("Margins and gaps cannot be negative.");
    const QSizeF sheet = QPageSize(paper).size(QPageSize::Millimeter);
    const double right = leftMargin + columns * labelWidth + (columns - 1) * columnGap;
    const double bottom = topMargin + rows * labelHeight + (rows - 1) * rowGap;
    if (right > sheet.width() + kTolerance || bottom > sheet.height() + kTolerance) {
        return QStringLiteral("The labels reach %1 x %2 mm, beyond the %3 x %4 mm sheet.")
            .arg(right, 0, 'f', 1)
            .arg(bottom, 0, 'f', 1)
            .arg(sheet.width(), 0, 'f', 1)
            .arg(sheet.height(), 0, 'f', 1);
    }
    return QString();
}

QRectF LabelSheetGrid::labelRect(int index) const
{
    const int column = index % columns;
    const int row = index / columns;
    const double left = leftMargin + column * (labelWidth + columnGap);
    const double top = topMargin + row * (labelHeight + rowGap);
    return {left * kPointsPerMillimetre, top * kPointsPerMillimetre,
            labelWidth * kPointsPerMillimetre, labelHeight * kPointsPerMillimetre};
}

QRectF LabelSheetGrid::spareStrip() const
{
    constexpr double kStrip = 5; // millimetres: a line of small text
    const QSizeF sheet = QPageSize(paper).size(QPageSize::Millimeter);
    const double bottom = topMargin + rows * labelHeight + (rows - 1) * rowGap;
    const double below = sheet.height() - bottom;
    double top = sheet.height() - kStrip;
    if (below >= kStrip && below >= topMargin)
        top = bottom + (below - kStrip) / 2;
    else if (topMargin >= kStrip)
        top = (topMargin - kStrip) / 2;
    return {0, top * kPointsPerMillimetre, sheet.width() * kPointsPerMillimetre,
            kStrip * kPointsPerMillimetre};
}
