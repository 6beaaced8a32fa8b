#include "BenchSite.h"

#include "document/ChannelTableModel.h"

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
        return ChannelTableModel::spareName(channel);
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

void Fill(ChannelTableModel& table, int channels)
{
    table.SetChannelCount(channels, ChannelTableModel::FillAllRows);
    for (int row = 0; row < table.channelCount(); ++row) {
        const int channel = row + 1;
        ChannelRow value = ChannelTableModel::defaultRow(channel);
        value.relNam = RelayName(channel);
        value.back = IsBackContact(channel);
        if (!isSpare(channel)) {
            value.stUp = QLatin1String(kindOf(channel).stateUp);
            value.stDn = QLatin1String(kindOf(channel).stateDown);
        }
        table.setChannel(row, value);
    }
    table.RefreshGrid();
}

void CopyInto(ChannelTableModel& table, const ChannelTableModel& site)
{
    const auto own = [](const QString& text) { return QString(text.constData(), text.size()); };
    for (int row = 0; row < site.channelCount(); ++row) {
        const ChannelRow& value = site.channel(row);
        table.setChannel(row, {own(value.relNam), value.back, own(value.stUp), own(value.stDn)});
    }
}

} // namespace BenchSite
