#include "SiteComparison.h"

#include "common/ChannelLabel.h"
#include "common/TrimSpaces.h"
#include "document/ChannelTableModel.h"

namespace {

using Model = ChannelTableModel;

QString labelRange(int first, int last)
{
    return ModFunc::ChannelLabel(first + 1) + u'-' + ModFunc::ChannelLabel(last + 1);
}

// A channel file pads state texts with spaces, and its reader trims them off names.
QStringView fileText(const QString& text, int column)
{
    QStringView view(text);
    if (column == Model::ColRelNam)
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
    case Model::ColRelNam:
        return row.relNam;
    case Model::ColBack:
        return row.back ? QStringLiteral("Back") : QStringLiteral("Front");
    case Model::ColStUp:
        return row.stUp;
    case Model::ColStDn:
        return row.stDn;
    }
    return {};
}

bool SameCell(const ChannelRow& ours, const ChannelRow& theirs, int column)
{
    return sameText(CellText(ours, column), CellText(theirs, column), column);
}

int SiteComparison::firstRow() const
{
    int first = -1;
    if (!cells.isEmpty())
        first = cells.first().row;
    for (const Extra& extra : extras) {
        if (first < 0 || extra.first < first)
            first = extra.first;
    }
    return first;
}

SiteComparison CompareSites(const ChannelRows& ours, const ChannelRows& theirs, bool statesCompared)
{
    SiteComparison comparison;
    comparison.statesCompared = statesCompared;
    const int lastColumn = statesCompared ? Model::ColStDn : Model::ColBack;
    const int common = int(std::min(ours.size(), theirs.size()));
    for (int row = 0; row < common; ++row) {
        for (int column = Model::ColRelNam; column <= lastColumn; ++column) {
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

QString DifferenceField(const SiteComparison& comparison, qsizetype difference, int field)
{
    if (difference < comparison.cells.size()) {
        const SiteComparison::Cell& cell = comparison.cells[difference];
        switch (field) {
        case 0:
            return ModFunc::ChannelLabel(cell.row + 1);
        case 1:
            return Model::columnCaption(cell.column);
        case 2:
            return cell.ours;
        }
        return cell.theirs;
    }
    const SiteComparison::Extra& extra = comparison.extras[difference - comparison.cells.size()];
    const bool present = field == 2 ? extra.ours : !extra.ours;
    if (field == 0)
        return labelRange(extra.first, extra.last);
    if (field == 1)
        return QStringLiteral("Channels");
    return present ? QStringLiteral("present") : QStringLiteral("absent");
}

std::pair<int, int> DifferenceCell(const SiteComparison& comparison, qsizetype difference)
{
    if (difference < comparison.cells.size())
        return {comparison.cells[difference].row, comparison.cells[difference].column};
    return {comparison.extras[difference - comparison.cells.size()].first, Model::ColRelNam};
}

QStringList DifferenceLines(const SiteComparison& comparison)
{
    QStringList lines;
    for (qsizetype difference = 0; difference < comparison.count(); ++difference) {
        QStringList fields;
        for (int field = 0; field < kDifferenceFields; ++field)
            fields.append(DifferenceField(comparison, difference, field));
        lines.append(fields.join(u'\t'));
    }
    return lines;
}
