#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace ModFunc {

constexpr int kChannelsPerCard = 48;
constexpr int kChannelsPerUnit = 384;
constexpr int kMaxChannels = 3072;

// The four-character label of a channel (1 = AA01 .. 3072 = HH48); empty outside 1..3072.
QString ChannelLabel(int channel);
// The same label as four ASCII bytes written to out; false, writing nothing, outside 1..3072.
bool WriteChannelLabel(int channel, char* out);

// A label or a plain decimal number back to a channel number; 0 when the text is neither.
// Numbers are rounded half to even and not range-checked. Answers nullopt when the number
// does not fit in 32 bits, which the caller reports as a failure ("Overflow").
std::optional<int> ChannelNumberFromLabel(QStringView text);

// The description a caller reports for a number that does not fit in 32 bits.
QString OverflowDescription();

} // namespace ModFunc
