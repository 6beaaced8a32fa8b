#pragma once

class ChannelTableModel;
class QString;

// The next row after `fromRow` (wrapping round) whose relay name or label holds the text,
// ignoring letter case; -1 when none does.
int FindChannel(const ChannelTableModel& table, const QString& text, int fromRow);
