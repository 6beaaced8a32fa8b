#pragma once

class ChannelTableModel;
struct LabelDatabase;

// Empties TblForLabel of the labels database and fills it from the table, four channels to a
// row, all in one transaction. Ends with one message: the number of channels exported, or
// "Error exporting to labels database" with the driver's description, and then the table keeps
// the rows it had. Never creates the database file or the table. Answers whether it succeeded.
bool ExportLabelDatabase(const ChannelTableModel& table, const LabelDatabase& database);
