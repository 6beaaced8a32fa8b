#include "ChannelAllocations.h"

#include "ModCrvFile.h"
#include "common/ChannelLabel.h"
#include "common/ShowMessage.h"
#include "document/ChannelTableModel.h"

using ModFunc::ChannelLabel;
using ModFunc::ShowMessage;

namespace {

QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool isSpare(const QString& trimmedName)
{
    return trimmedName.isEmpty() ||
           trimmedName.compare(QLatin1String("SPARE"), Qt::CaseInsensitive) == 0 ||
           trimmedName.compare(QLatin1String("(SPARE)"), Qt::CaseInsensitive) == 0;
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
    if (!table.SetChannelCount(count, ChannelTableModel::FillAllRows))
        return false;
    if (table.channelCount() < count) {
        ShowMessage(QStringLiteral("This copy of ZR415Config can handle a maximum of %1 channels.")
                        .arg(table.channelCount()));
        count = table.channelCount();
    }
    for (int channel = 1; channel <= count; ++channel) {
        const DigitalChannelRecord& record = allocations[channel];
        QString name = trimSpaces(record.ChannelName);
        if (isSpare(name))
            name = ChannelTableModel::spareName(channel);
        if (name.size() > ChannelTableModel::kRelayNameLimit) {
            const QString cut = name.left(ChannelTableModel::kRelayNameLimit);
            ShowMessage(changedNameText(channel, name, cut));
            name = cut;
        }
        table.setRelayName(channel - 1, name);
        table.setBackContact(channel - 1, record.BackContact);
    }
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
