#include "ChannelAllocations.h"

#include "ModCrvFile.h"
#include "common/ChannelLabel.h"
#include "common/ShowMessage.h"
#include "common/TrimSpaces.h"
#include "document/ChannelTableModel.h"

#include <algorithm>
#include <utility>

using ModFunc::ChannelLabel;
using ModFunc::ShowMessage;

namespace {

bool isSpare(QStringView trimmedName)
{
    // Lengths first: most names are neither, and a case-blind comparison is not cheap.
    const auto equals = [trimmedName](QLatin1String marker) {
        return trimmedName.size() == marker.size() &&
               trimmedName.compare(marker, Qt::CaseInsensitive) == 0;
    };
    return trimmedName.isEmpty() || equals(QLatin1String("SPARE")) ||
           equals(QLatin1String("(SPARE)"));
}

// Written over the text's old characters when no other string shares them and they have room:
// importing into a table that holds a site then allocates nothing.
void assignInPlace(QString& text, QStringView value)
{
    if (!text.isDetached() || text.capacity() < value.size()) {
        text = value.toString();
        return;
    }
    if (text.size() != value.size())
        text.resize(value.size());
    std::copy(value.begin(), value.end(), text.begin());
}

// Most rows already hold the very default texts; assigning them again is a library call each.
void assignUnlessSame(QString& text, const QString& value)
{
    if (text.constData() != value.constData() || text.size() != value.size())
        text = value;
}

QString changedNameText(int channel, const QString& name, const QString& cut)
{
    return QStringLiteral("Channel %1 (%2) changed from \r\n\"%3\" to\r\n\"%4\"")
        .arg(channel)
        .arg(ChannelLabel(channel), name, cut);
}

} // namespace

bool FillFromAllocations(ChannelTableModel& table, const DigitalChannelList& allocations)
{
    int count = allocations.lastIndex();
    // Sized and selected as fill mode 4 would, but each imported row is then written whole in
    // place and only the rows after them go back to their defaults: the same table, without
    // first replacing every text by its default.
    if (!table.SetChannelCount(count, ChannelTableModel::FillAddedRows))
        return false;
    if (table.channelCount() < count) {
        ShowMessage(ChannelTableModel::maximumChannelsText(table.channelCount()));
        count = table.channelCount();
    }
    const ChannelRow defaults = ChannelTableModel::defaultRow(1);
    for (int channel = 1; channel <= count; ++channel) {
        const QStringView trimmed = ModFunc::TrimSpaces(allocations.channelName(channel));
        const bool spare = isSpare(trimmed);
        const QStringView name = trimmed.left(ChannelTableModel::kRelayNameLimit);
        if (!spare && name.size() < trimmed.size())
            ShowMessage(changedNameText(channel, trimmed.toString(), name.toString()));
        ChannelRow* row = table.writableRow(channel - 1);
        if (spare)
            ChannelTableModel::assignSpareName(row->relNam, channel);
        else
            assignInPlace(row->relNam, name);
        row->back = allocations.backContact(channel);
        assignUnlessSame(row->stUp, defaults.stUp);
        assignUnlessSame(row->stDn, defaults.stDn);
    }
    if (count < table.channelCount())
        table.FillDefaultRows(count);
    ShowMessage(QStringLiteral("%1 channels imported").arg(count));
    table.RefreshGrid();
    return true;
}

bool SaveCorvaneChannelFile(const ChannelTableModel& table, const QString& directory)
{
    DigitalChannelList allocations;
    allocations.reserve(table.channelCount(),
                        qsizetype(table.channelCount()) * ChannelTableModel::kRelayNameLimit);
    for (int row = 0; row < table.channelCount(); ++row) {
        const ChannelRow& channel = table.channel(row);
        allocations.appendChannel(
            QStringView(channel.relNam).left(ChannelTableModel::kRelayNameLimit), channel.back);
    }
    return ModCrvFile::SaveDigitalChannels(directory, allocations);
}
