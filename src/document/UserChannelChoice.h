#pragma once

class ChannelTableModel;

// The user picked channel-count choice `choice` (-1: none) in the selector. Growing adds
// default rows at once; shrinking asks "Delete channels ... to ...?" first, and Cancel puts
// the selection back. Answers true when the table changed, so the site is now modified.
bool ApplyUserChannelChoice(ChannelTableModel& table, int choice);
