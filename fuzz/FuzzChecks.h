#pragma once

#include "document/ChannelRow.h"
#include "document/SiteRead.h"

#include <QString>

// A broken invariant stops the run as a finding, naming the condition and where it is.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : FuzzChecks::fail(#condition, __FILE__, __LINE__))

namespace FuzzChecks {

[[noreturn]] void fail(const char* condition, const char* file, int line);

// What must hold after any read: a read that applies brings one of the eight site sizes, and
// the table takes it whole (every Chan cell is its row's label, the selector follows); a read
// that does not apply brings no rows.
void checkRead(const SiteRead& read, const QString& path);

// Every row from firstRow on holds its defaults.
void checkDefaultRows(const ChannelRows& rows, int firstRow);

// The last notice, or an empty text when there is none.
QString lastNotice(const SiteRead& read);

// The text without the spaces at its ends (tabs and other blanks stay), written plainly as
// the oracle for the readers' own trimming.
QString trimmedSpaces(QString text);

// The rows a site of that many channels has: whole units of 384, at most 3072.
int rowsFor(int channels);

} // namespace FuzzChecks
