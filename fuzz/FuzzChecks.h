#pragma once

#include "document/ChannelTableModel.h"

// A broken invariant stops the run as a finding, naming the condition and where it is.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : FuzzChecks::fail(#condition, __FILE__, __LINE__))

namespace FuzzChecks {

[[noreturn]] void fail(const char* condition, const char* file, int line);

// The table a reader starts from: one unit of default rows.
void resetTable(ChannelTableModel& table);

// What must hold after any reader: the row count is one of the eight choices and every Chan
// cell, as the view reads it, is its row's label.
void checkTable(const ChannelTableModel& table);

// Every row from firstRow on holds its defaults.
void checkDefaultRows(const ChannelTableModel& table, int firstRow);

// The text without the spaces at its ends (tabs and other blanks stay), written plainly as
// the oracle for the readers' own trimming.
QString trimmedSpaces(QString text);

// The row count the table takes for a request of channels (the largest choice above 3072).
int rowsFor(int channels);

} // namespace FuzzChecks
