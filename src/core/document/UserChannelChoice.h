#pragma once

class ChannelTableModel;

// The user picked channel-count choice `choice` (-1: none) in the selector. Growing goes ahead
// at once; shrinking asks "Delete channels ... to ...?" first, and Cancel puts the selection
// back. Answers true when the table should change to the choice.
bool ConfirmUserChannelChoice(ChannelTableModel& table, int choice);

// Sizes the table to the choice: added rows get their defaults, dropped rows are gone.
void ResizeToChoice(ChannelTableModel& table, int choice);
