#pragma once

#include "ChannelRow.h"
#include "SiteRead.h"
#include "common/FileResult.h"

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

// A field as every CSV file of the program writes it (lists and reports alike): between double
// quotes, inner quotes doubled, when the text would otherwise not read back as one field.
QString QuotedCsvField(const QString& field);
// One line as the writer puts it: label, relay name (cut to 16, between double quotes when it
// holds a comma or a double quote) and Back or Front, ended by CR LF.
QString CsvLine(const QString& label, const QString& relayName, bool back);
// Writes one line per row.
FileResult SaveCsvFile(const ChannelRows& rows, const QString& path);

// Reads a list into a copy of `rows` (the open site's: the rows the list does not name keep
// their values), asking about every line that does not fit, and ends with "N channels
// imported". A question answered Cancel ends it as Cancelled with the lines read so far; a
// channel past 3072 ends it as Cut.
SiteRead LoadCsvFile(const QString& path, ChannelRows rows, const CsvQuestion& ask);

// The check of one line against the channel it should carry, with its three questions.
CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected,
                          const CsvQuestion& ask);

// Fields of a line, one-based as SplitFields gives them; a field that begins with a double
// quote runs to its closing quote, so quoted names may hold commas.
QStringList SplitCsvLine(const QString& line);
