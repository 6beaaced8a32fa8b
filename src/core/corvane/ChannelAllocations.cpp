#include "ChannelAllocations.h"

#include "ModCrvFile.h"
#include "common/ChannelLabel.h"
#include "common/ReusedText.h"
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
            std::copy_n(name.utf16(), name.size(),
                        ReusedText::resizedForWriting(row->relNam, name.size()));
        row->back = allocations.backContact(channel);
        ReusedText::assignUnlessSame(row->stUp, defaults.stUp);
        ReusedText::assignUnlessSame(row->stDn, defaults.stDn);
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
