#pragma once

#include "document/ChannelRow.h"

#include <QString>

// A made-up but realistic site: track, signal and points relays with their numbers, one
// channel in eight spare, and every third channel on a back contact.
namespace BenchSite {

// The relay name the site gives a channel (1-based); always the same for the same channel.
QString RelayName(int channel);
bool IsBackContact(int channel);

// The rows of channels 1..channels, each text made afresh, as a read site holds them.
ChannelRows Rows(int channels);

} // namespace BenchSite
