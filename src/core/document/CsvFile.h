#pragma once

#include "ChannelRow.h"
#include "SiteRead.h"
#include "common/FileResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

// Asks the user one of the reader's questions; true for OK, false for Cancel.
using CsvQuestion = std::function<bool(const QString& question)>;

enum class CsvLineVerdict { Ok, Continue, Abort };

struct CsvLineCheck
{
    CsvLineVerdict verdict = CsvLineVerdict::Continue;
    int channel = 0;
    bool overflow = false; // field 1 is a number too large for 32 bits
};

// A field as every CSV file of the program writes it (lists and reports alike): on one line,
// between double quotes with inner quotes doubled when a spreadsheet would split it.
QString QuotedCsvField(const QString& field);
// One line as the writer puts it: label, relay name (cut to 16, a line break in it as a space,
// between double quotes when it holds a comma, a double quote, a semicolon or a tab) and Back
// or Front, ended by CR LF.
QString CsvLine(const QString& label, const QString& relayName, bool back);
// Writes one line per row.
FileResult SaveCsvFile(const ChannelRows& rows, const QString& path);

// Reads a list into a copy of `rows` (the open site's: the rows the list does not name keep
// their values), asking about every line that does not fit, and ends with "N channels
// imported", then one notice naming the contacts that were no word for Back or Front. A
// question answered Cancel ends it as Cancelled with the lines read so far; a channel past
// 3072 ends it as Cut.
SiteRead LoadCsvFile(const QString& path, ChannelRows rows, const CsvQuestion& ask);
// The same for the bytes of a list read from `path`, in whatever encoding they were saved.
SiteRead ReadCsvList(QByteArrayView bytes, const QString& path, ChannelRows rows,
                     const CsvQuestion& ask);

// The check of one line against the channel it should carry, with its three questions.
CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected,
                          const CsvQuestion& ask);

// Fields of a line, one-based as SplitFields gives them; a field that begins with a double
// quote runs to its closing quote, so quoted names may hold commas. A quote that does not
// close in the line quotes nothing.
QStringList SplitCsvLine(const QString& line);
// The quote that closes a quoted field whose text starts at `from`, a doubled quote being a
// quote inside it; -1 when there is none.
qsizetype ClosingQuote(QStringView text, qsizetype from);
