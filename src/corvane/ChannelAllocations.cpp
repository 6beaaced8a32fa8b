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

// True when the text can take `size` characters over its old ones: no other string shares it
// and it has room. Importing into a table that holds a site then allocates nothing.
bool writableInPlace(const QString& text, qsizetype size)
{
    return text.isDetached() && text.capacity() >= size;
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
        const QString& read = allocations[channel].ChannelName;
        const QStringView trimmed = ModFunc::TrimSpaces(QStringView(read));
        const bool spare = isSpare(trimmed);
        const QStringView name = trimmed.left(ChannelTableModel::kRelayNameLimit);
        if (!spare && name.size() < trimmed.size())
            ShowMessage(changedNameText(channel, trimmed.toString(), name.toString()));
        ChannelRow* row = table.writableRow(channel - 1);
        if (spare) {
            row->relNam = ChannelTableModel::spareName(channel);
        } else if (writableInPlace(row->relNam, name.size())) {
            if (row->relNam.size() != name.size())
                row->relNam.resize(name.size());
            std::copy(name.begin(), name.end(), row->relNam.begin());
        } else if (name.size() == read.size()) {
            row->relNam = read; // shared with the record
        } else {
            row->relNam = name.toString();
        }
        row->back = allocations[channel].BackContact;
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
    QList<DigitalChannelRecord> allocations(table.channelCount() + 1);
    for (int row = 0; row < table.channelCount(); ++row) {
        DigitalChannelRecord& record = allocations[row + 1];
        record.ChannelName = table.channel(row).relNam.left(ChannelTableModel::kRelayNameLimit);
        record.BackContact = table.channel(row).back;
    }
    return ModCrvFile::SaveDigitalChannels(directory, allocations);
}
