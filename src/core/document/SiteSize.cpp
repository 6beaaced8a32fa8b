#include "SiteSize.h"

#include "common/ChannelLabel.h"

namespace SiteSize {

int choiceChannels(int choice)
{
    return (choice + 1) * ModFunc::kChannelsPerUnit;
}

QString choiceText(int choice)
{
    return QStringLiteral("%1 unit - %2 ch").arg(choice + 1).arg(choiceChannels(choice));
}

int choiceFor(int requested)
{
    if (requested <= 0)
        return -1;
    for (int choice = 0; choice + 1 < kChoiceCount; ++choice) {
        if (choiceChannels(choice) >= requested)
            return choice;
    }
    return kChoiceCount - 1;
}

int channelsFor(int requested)
{
    const int choice = choiceFor(requested);
    return choice < 0 ? 0 : choiceChannels(choice);
}

QString maximumChannelsText(int channels)
{
    return QStringLiteral("This copy of ZR415Config can handle a maximum of %1 channels.")
        .arg(channels);
}

} // namespace SiteSize
