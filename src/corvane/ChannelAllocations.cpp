#include "ChannelAllocations.h"

#include "ModCrvFile.h"
#include "common/ChannelLabel.h"
#include "common/ShowMessage.h"
#include "common/TrimSpaces.h"
#include "document/ChannelTableModel.h"

#include <utility>

using ModFunc::ChannelLabel;
using ModFunc::ShowMessage;

namespace {

bool isSpare(const QString& trimmedName)
{
    // Lengths first: most names are neither, and a case-blind comparison is not cheap.
    const auto equals = [&trimmedName](QLatin1String marker) {
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

bool FillFromAllocations(ChannelTableModel& table, const QList<DigitalChannelRecord>& allocations)
{
    int count = int(allocations.size() - 1);
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
        const DigitalChannelRecord& record = allocations[channel];
        QString name = ModFunc::TrimSpaces(QStringView(record.ChannelName)).toString();
        if (isSpare(name))
            name = ChannelTableModel::spareName(channel);
        if (name.size() > ChannelTableModel::kRelayNameLimit) {
            const QString cut = name.left(ChannelTableModel::kRelayNameLimit);
            ShowMessage(changedNameText(channel, name, cut));
            name = cut;
        }
        table.setChannel(channel - 1,
                         {std::move(name), record.BackContact, defaults.stUp, defaults.stDn});
    }
    if (count < table.channelCount())
        table.FillDefaultRows(count);
    ShowMessage(QStringLiteral("%1 channels imported").arg(count));
    table.RefreshGrid();
    return true;
}

bool SaveCorvaneChannelFile(const ChannelTableModel& table, const QString& directory)
{
    QList<DigitalChannelRecord> allocations(table.channelCount() + 1);
    for (int row = 0; row < table.channelCount(); ++row) {
        DigitalChannelRecord& record = allocations[row + 1];
        record.ChannelName = table.channel(row).relNam.left(ChannelTableModel::kRelayNameLimit);
        record.BackContact = table.channel(row).back;
    }
    return ModCrvFile::SaveDigitalChannels(directory, allocations);
}
