#pragma once

#include <QString>

// A site is one to eight units of 384 channels; the channel-count selector offers each size.
namespace SiteSize {

constexpr int kChoiceCount = 8;

// The channels of choice k (0..7): (k + 1) units.
int choiceChannels(int choice);
// "k unit - n ch", as the selector lists it.
QString choiceText(int choice);
// The choice that holds `requested` channels: the first large enough, the last when none is;
// -1 for a request of 0 or less.
int choiceFor(int requested);
// The channels of choiceFor(requested); 0 for a request of 0 or less.
int channelsFor(int requested);

// "This copy of ZR415Config can handle a maximum of N channels."
QString maximumChannelsText(int channels);

} // namespace SiteSize
