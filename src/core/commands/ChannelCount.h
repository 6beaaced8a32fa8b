#pragma once

class ChannelTableModel;

// The number of units as the program and the user change it.
namespace ChannelCount {

enum FillMode { FillAddedRows = 2, FillAllRows = 4 };

// Sizes the table to the smallest choice that holds the request (3072 at most): with
// FillAddedRows only added rows get their defaults, with FillAllRows every row. Answers false,
// after "Error setting no of channels.", for a request of 0 or less; the table is then
// unchanged.
bool SetChannelCount(ChannelTableModel& table, int requested, int fillMode);

// The user picked channel-count choice `choice` (-1: none) in the selector. Growing goes ahead
// at once; shrinking asks "Delete channels ... to ...?" first. Answers true when the table
// should change to the choice.
bool ConfirmChoice(const ChannelTableModel& table, int choice);

} // namespace ChannelCount
