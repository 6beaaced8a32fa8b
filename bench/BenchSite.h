#pragma once

#include <QString>

class ChannelTableModel;

// A made-up but realistic site: track, signal and points relays with their numbers, one
// channel in eight spare, and every third channel on a back contact.
namespace BenchSite {

// The relay name the site gives a channel (1-based); always the same for the same channel.
QString RelayName(int channel);
bool IsBackContact(int channel);

// Sizes the table to the channel count and fills every row.
void Fill(ChannelTableModel& table, int channels);
// Puts the rows into the table with texts of their own, as a loaded site holds them (not
// shared with the rows given); the table must have as many rows.
void CopyInto(ChannelTableModel& table, const ChannelTableModel& site);

} // namespace BenchSite
