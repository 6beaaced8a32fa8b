#pragma once

#include "common/FileResult.h"

#include <QString>
#include <QStringList>

class ChannelTableModel;

struct CsvLoadResult
{
    FileResult file;      // a failure ends the calling command with its own report
    bool aborted = false; // the user answered Cancel to a question
    int lastChannel = 0;  // the channel of the last stored line
};

enum class CsvLineVerdict { Ok, Continue, Abort };

struct CsvLineCheck
{
    CsvLineVerdict verdict = CsvLineVerdict::Continue;
    int channel = 0;
    bool overflow = false; // field 1 is a number too large for 32 bits
};

// Writes one line per row: label, relay name (cut to 16) and Back or Front, CR LF ended.
// A name holding a comma or a double quote is written between double quotes.
FileResult SaveCsvFile(const ChannelTableModel& table, const QString& path);

// Reads a list into the current table, asking about every line that does not fit, and ends
// with "N channels imported". Failures are returned, not shown.
CsvLoadResult LoadCsvFile(ChannelTableModel& table, const QString& path);

// The check of one line against the channel it should carry, with its three questions.
CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected);

// Fields of a line, one-based as SplitFields gives them; a field that begins with a double
// quote runs to its closing quote, so quoted names may hold commas.
QStringList SplitCsvLine(const QString& line);

QString CsvLine(const QString& label, const QString& relayName, bool back);
