#pragma once

#include "document/ChannelRow.h"

#include <QList>
#include <QString>

#include <utility>

// What differs between this site and another, cell by cell.
struct SiteComparison
{
    struct Cell
    {
        int row = 0;
        int column = 0;
        QString ours;
        QString theirs;
    };
    // Channels that only one of the sites has: rows first..last of the larger one.
    struct Extra
    {
        int first = 0;
        int last = 0;
        bool ours = true; // this site has them, the other not
    };

    QList<Cell> cells;
    QList<Extra> extras;
    bool statesCompared = true;

    bool same() const { return cells.isEmpty() && extras.isEmpty(); }
    int count() const { return int(cells.size() + extras.size()); }
};

// Compares two sites; state texts only when the other site has them (a .dip).
SiteComparison CompareSites(const ChannelRows& ours, const ChannelRows& theirs,
                            bool statesCompared);

// The text of a cell as the comparison shows it: the contact as "Back" or "Front".
QString CellText(const ChannelRow& row, int column);

// Whether two rows hold the same in the column once written to a channel file and read back:
// the spaces at the ends of a name and those that pad a state text are not kept apart there.
bool SameCell(const ChannelRow& ours, const ChannelRow& theirs, int column);

// The fields of a difference: label, column caption, this site, the other site; channels only
// one site has as "AB01-AB48", "Channels", "present", "absent" (or the other way).
enum class DifferenceField { Channel, Column, ThisSite, OtherSite };
constexpr int kDifferenceFields = 4;
// A field of a difference; differences are numbered cells first, then the channels of one site.
QString DifferenceText(const SiteComparison& comparison, qsizetype difference,
                       DifferenceField field);

// The grid cell a difference points at (row, column); channels of one site at their first name.
std::pair<int, int> DifferenceCell(const SiteComparison& comparison, qsizetype difference);

// The differences as lines of their fields split by tabs.
QStringList DifferenceLines(const SiteComparison& comparison);
