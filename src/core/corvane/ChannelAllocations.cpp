#include "ChannelAllocations.h"

#include "ModCrvFile.h"
#include "common/ChannelLabel.h"
#include "common/TrimSpaces.h"
#include "document/SiteSize.h"

namespace {

bool isSpare(QStringView trimmedName)
{
    return trimmedName.isEmpty() ||
           trimmedName.compare(QLatin1String("SPARE"), Qt::CaseInsensitive) == 0 ||
           trimmedName.compare(QLatin1String("(SPARE)"), Qt::CaseInsensitive) == 0;
}

QString changedNameText(int channel, const QString& name, const QString& cut)
{
    return QStringLiteral("Channel %1 (%2) changed from \r\n\"%3\" to\r\n\"%4\"")
        .arg(channel)
        .arg(ModFunc::ChannelLabel(channel), name, cut);
}

} // namespace

SiteRead FillFromAllocations(const DigitalChannelList& allocations)
{
    SiteRead read;
    int count = LastIndex(allocations);
    read.rows = DefaultRows(SiteSize::channelsFor(count));
    if (read.rows.size() < count) {
        read.notices.append(SiteSize::maximumChannelsText(int(read.rows.size())));
        read.outcome = SiteRead::Outcome::Cut;
        count = int(read.rows.size());
    }
    for (int channel = 1; channel <= count; ++channel) {
        QString name =
            ModFunc::TrimSpaces(QStringView(allocations[channel].ChannelName)).toString();
        if (isSpare(name)) {
            name = SpareName(channel);
        } else if (name.size() > kRelayNameLimit) {
            read.notices.append(changedNameText(channel, name, name.left(kRelayNameLimit)));
            name.truncate(kRelayNameLimit);
        }
        read.rows[channel - 1].relNam = name;
        read.rows[channel - 1].back = allocations[channel].BackContact;
    }
    read.notices.append(QStringLiteral("%1 channels imported").arg(count));
    return read;
}

SiteRead ImportCorvaneSite(const QString& siteDir)
{
    const ModCrvFile::AllocationsRead channels = ModCrvFile::LoadDigitalChannels(siteDir);
    if (channels.failure)
        return SiteRead::failed(channels.path, *channels.failure);
    if (LastIndex(channels.allocations) <= 0) {
        SiteRead read;
        read.outcome = SiteRead::Outcome::Empty;
        read.path = channels.path;
        return read;
    }
    SiteRead read = FillFromAllocations(channels.allocations);
    read.path = channels.path;
    return read;
}

FileResult SaveCorvaneChannelFile(const ChannelRows& rows, const QString& directory)
{
    DigitalChannelList allocations{DigitalChannelRecord{}};
    for (const ChannelRow& row : rows)
        allocations.append({row.relNam.left(kRelayNameLimit), {}, {}, row.back, 0});
    return ModCrvFile::SaveDigitalChannels(directory, allocations);
}
