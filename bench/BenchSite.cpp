#include "BenchSite.h"

#include "document/ChannelRow.h"

#include <array>

namespace BenchSite {

namespace {

struct RelayKind
{
    const char* prefix;
    const char* suffix; // after the number, may be empty
    int numbers;        // numbers run from 1 to this
    const char* stateUp;
    const char* stateDown;
};

// Track repeaters, signal and route relays, points detection, approach locking.
constexpr std::array<RelayKind, 12> kKinds = {{
    {"TPR", "", 9999, "OCC", "CLR"},
    {"HR", " BK", 299, "UP", "DN"},
    {"WJR", "", 99, "UP", "DN"},
    {"DR", "", 299, "UP", "DN"},
    {"HHR", "", 299, "UP", "DN"},
    {"NWKR", "", 199, "NOR", "REV"},
    {"RWKR", "", 199, "REV", "NOR"},
    {"ASR", " A", 299, "UP", "DN"},
    {"UCR", "", 299, "UP", "DN"},
    {"TPR", " (TC)", 9999, "OCC", "CLR"},
    {"ECR", " HG", 299, "UP", "DN"},
    {"LOR", "", 99, "UP", "DN"},
}};

// A fixed mixing of the channel number, so names look random but never change.
unsigned mix(int channel)
{
    unsigned x = static_cast<unsigned>(channel) * 2654435761u;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return x;
}

bool isSpare(int channel)
{
    return mix(channel) % 8 == 0;
}

const RelayKind& kindOf(int channel)
{
    return kKinds[(mix(channel) >> 3) % kKinds.size()];
}

} // namespace

QString RelayName(int channel)
{
    if (isSpare(channel))
        return SpareName(channel);
    const RelayKind& kind = kindOf(channel);
    const int number = int((mix(channel) >> 7) % unsigned(kind.numbers)) + 1;
    return QStringLiteral("%1 %2%3")
        .arg(QLatin1String(kind.prefix))
        .arg(number)
        .arg(QLatin1String(kind.suffix));
}

bool IsBackContact(int channel)
{
    return channel % 3 == 0;
}

ChannelRows Rows(int channels)
{
    ChannelRows rows;
    rows.reserve(channels);
    for (int channel = 1; channel <= channels; ++channel) {
        ChannelRow row = DefaultRow(channel);
        row.relNam = RelayName(channel);
        row.back = IsBackContact(channel);
        if (!isSpare(channel)) {
            row.stUp = QLatin1String(kindOf(channel).stateUp);
            row.stDn = QLatin1String(kindOf(channel).stateDown);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace BenchSite
