#include "FuzzChecks.h"

#include "common/ChannelLabel.h"

#include <cstdio>
#include <cstdlib>

namespace FuzzChecks {

void fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

void resetTable(ChannelTableModel& table)
{
    FUZZ_CHECK(table.SetChannelCount(ModFunc::kChannelsPerUnit, ChannelTableModel::FillAllRows));
}

void checkTable(const ChannelTableModel& table)
{
    const int rows = table.rowCount();
    FUZZ_CHECK(rows == table.channelCount());
    FUZZ_CHECK(rows % ModFunc::kChannelsPerUnit == 0);
    FUZZ_CHECK(rows >= ModFunc::kChannelsPerUnit && rows <= ModFunc::kMaxChannels);
    FUZZ_CHECK(ChannelTableModel::choiceChannels(table.selectedChoice()) == rows);
    FUZZ_CHECK(table.columnCount() == ChannelTableModel::ColumnCount);
    for (int row = 0; row < rows; ++row) {
        const QVariant chan = table.data(table.index(row, ChannelTableModel::ColChan));
        FUZZ_CHECK(chan.toString() == ModFunc::ChannelLabel(row + 1));
    }
}

void checkDefaultRows(const ChannelTableModel& table, int firstRow)
{
    for (int row = firstRow; row < table.channelCount(); ++row)
        FUZZ_CHECK(table.channel(row) == ChannelTableModel::defaultRow(row + 1));
}

int rowsFor(int channels)
{
    for (int choice = 0; choice < ChannelTableModel::kChoiceCount; ++choice) {
        if (ChannelTableModel::choiceChannels(choice) >= channels)
            return ChannelTableModel::choiceChannels(choice);
    }
    return ModFunc::kMaxChannels;
}

QString trimmedSpaces(QString text)
{
    while (text.startsWith(u' '))
        text.remove(0, 1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace FuzzChecks
