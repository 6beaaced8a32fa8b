#pragma once

#include "common/FileResult.h"
#include "document/ChannelRow.h"

struct LabelDatabase;

// Empties TblForLabel of the labels database and fills it from the rows, four channels to a
// row, all in one transaction: on failure the table keeps the rows it had, and the result
// holds the driver's description. Never creates the database file or the table.
FileResult ExportLabelDatabase(const ChannelRows& rows, const LabelDatabase& database);

// The one message that ends an export of `channels` channels: their number, or "Error
// exporting to labels database" with the description.
QString LabelExportReport(const FileResult& result, int channels);
