#include "FuzzChecks.h"

#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace FuzzChecks {

namespace {

void checkApplied(const ChannelRows& rows)
{
    ChannelTableModel table;
    table.replaceRows(rows);
    FUZZ_CHECK(table.rowCount() == rows.size());
    FUZZ_CHECK(table.rows() == rows);
    for (int row = 0; row < rows.size(); ++row) {
        const QVariant chan = table.data(table.index(row, ChannelTableModel::ColChan));
        FUZZ_CHECK(chan.toString() == ModFunc::ChannelLabel(row + 1));
    }
}

} // namespace

void fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

void checkRead(const SiteRead& read, const QString& path)
{
    FUZZ_CHECK(read.path == path);
    FUZZ_CHECK(read.applies() == (read.outcome != SiteRead::Outcome::Failed &&
                                  read.outcome != SiteRead::Outcome::Empty));
    if (!read.applies()) {
        FUZZ_CHECK(read.rows.isEmpty());
        return;
    }
    FUZZ_CHECK(read.failure.isEmpty());
    const qsizetype rows = read.rows.size();
    FUZZ_CHECK(rows % ModFunc::kChannelsPerUnit == 0);
    FUZZ_CHECK(rows >= ModFunc::kChannelsPerUnit && rows <= ModFunc::kMaxChannels);
    if (read.outcome == SiteRead::Outcome::Cut)
        FUZZ_CHECK(rows == ModFunc::kMaxChannels);
    checkApplied(read.rows);
}

void checkDefaultRows(const ChannelRows& rows, int firstRow)
{
    for (int row = firstRow; row < rows.size(); ++row)
        FUZZ_CHECK(rows[row] == DefaultRow(row + 1));
}

QString lastNotice(const SiteRead& read)
{
    return read.notices.isEmpty() ? QString() : read.notices.last();
}

int rowsFor(int channels)
{
    const int units = (channels + ModFunc::kChannelsPerUnit - 1) / ModFunc::kChannelsPerUnit;
    return std::min(units * ModFunc::kChannelsPerUnit, ModFunc::kMaxChannels);
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
