#include "SiteComparison.h"

#include "common/ChannelLabel.h"
#include "common/TrimSpaces.h"

namespace {

QString labelRange(int first, int last)
{
    return ModFunc::ChannelLabel(first + 1) + u'-' + ModFunc::ChannelLabel(last + 1);
}

// A channel file pads state texts with spaces, and its reader trims them off names.
QStringView fileText(const QString& text, int column)
{
    QStringView view(text);
    if (column == ColRelNam)
        return ModFunc::TrimSpaces(view);
    while (view.endsWith(u' '))
        view.chop(1);
    return view;
}

bool sameText(const QString& ours, const QString& theirs, int column)
{
    return fileText(ours, column) == fileText(theirs, column);
}

} // namespace

QString CellText(const ChannelRow& row, int column)
{
    switch (column) {
    case ColRelNam:
        return row.relNam;
    case ColBack:
        return row.back ? QStringLiteral("Back") : QStringLiteral("Front");
    case ColStUp:
        return row.stUp;
    case ColStDn:
        return row.stDn;
    }
    return {};
}

bool SameCell(const ChannelRow& ours, const ChannelRow& theirs, int column)
{
    return sameText(CellText(ours, column), CellText(theirs, column), column);
}

SiteComparison CompareSites(const ChannelRows& ours, const ChannelRows& theirs, bool statesCompared)
{
    SiteComparison comparison;
    comparison.statesCompared = statesCompared;
    const int lastColumn = statesCompared ? ColStDn : ColBack;
    const int common = int(std::min(ours.size(), theirs.size()));
    for (int row = 0; row < common; ++row) {
        for (int column = ColRelNam; column <= lastColumn; ++column) {
            const QString mine = CellText(ours[row], column);
            const QString other = CellText(theirs[row], column);
            if (!sameText(mine, other, column))
                comparison.cells.append({row, column, mine, other});
        }
    }
    if (ours.size() != theirs.size()) {
        const int last = int(std::max(ours.size(), theirs.size())) - 1;
        comparison.extras.append({common, last, ours.size() > theirs.size()});
    }
    return comparison;
}

QString DifferenceText(const SiteComparison& comparison, qsizetype difference,
                       DifferenceField field)
{
    if (difference < comparison.cells.size()) {
        const SiteComparison::Cell& cell = comparison.cells[difference];
        switch (field) {
        case DifferenceField::Channel:
            return ModFunc::ChannelLabel(cell.row + 1);
        case DifferenceField::Column:
            return ColumnCaption(cell.column);
        case DifferenceField::ThisSite:
            return cell.ours;
        case DifferenceField::OtherSite:
            break;
        }
        return cell.theirs;
    }
    const SiteComparison::Extra& extra = comparison.extras[difference - comparison.cells.size()];
    switch (field) {
    case DifferenceField::Channel:
        return labelRange(extra.first, extra.last);
    case DifferenceField::Column:
        return QStringLiteral("Channels");
    case DifferenceField::ThisSite:
        return extra.ours ? QStringLiteral("present") : QStringLiteral("absent");
    case DifferenceField::OtherSite:
        break;
    }
    return extra.ours ? QStringLiteral("absent") : QStringLiteral("present");
}

std::pair<int, int> DifferenceCell(const SiteComparison& comparison, qsizetype difference)
{
    if (difference < comparison.cells.size())
        return {comparison.cells[difference].row, comparison.cells[difference].column};
    return {comparison.extras[difference - comparison.cells.size()].first, ColRelNam};
}

QStringList DifferenceLines(const SiteComparison& comparison)
{
    QStringList lines;
    for (qsizetype difference = 0; difference < comparison.count(); ++difference) {
        QStringList fields;
        for (int field = 0; field < kDifferenceFields; ++field)
            fields.append(DifferenceText(comparison, difference, DifferenceField(field)));
        lines.append(fields.join(u'\t'));
    }
    return lines;
}
