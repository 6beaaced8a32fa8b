#pragma once

#include "DigitalChannelList.h"

#include <QString>

class ChannelTableModel;

// Merges allocations 1..n (n >= 1) into the table: resets it to the size that holds them,
// names spares, cuts longer names to 16 with one message each, and ends with
// "N channels imported". Answers false after a reported failure.
bool FillFromAllocations(ChannelTableModel& table, const DigitalChannelList& allocations);

// Writes the table's relay names and contacts as DChannel.cfg into the directory; answers
// whether the file was written (failures are reported).
bool SaveCorvaneChannelFile(const ChannelTableModel& table, const QString& directory);
