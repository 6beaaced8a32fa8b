#include "ChannelCount.h"

#include "common/ChannelLabel.h"
#include "common/Dialogs.h"
#include "common/ShowMessage.h"
#include "document/ChannelTableModel.h"
#include "document/SiteSize.h"

using ModFunc::ChannelLabel;

namespace ChannelCount {

bool SetChannelCount(ChannelTableModel& table, int requested, int fillMode)
{
    const int channels = SiteSize::channelsFor(requested);
    if (channels <= 0) {
        ModFunc::ShowMessage(QStringLiteral("Error setting no of channels."));
        return false;
    }
    if (fillMode == FillAllRows)
        table.replaceRows(DefaultRows(channels));
    else
        table.resizeTo(channels);
    return true;
}

bool ConfirmChoice(const ChannelTableModel& table, int choice)
{
    if (choice < 0 || choice >= SiteSize::kChoiceCount) {
        AskUser(QStringLiteral("Impossible selection - how did you do that?"), EditorTitle(),
                MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const int oldCount = table.channelCount();
    const int newCount = SiteSize::choiceChannels(choice);
    if (newCount == oldCount)
        return false;
    if (newCount > oldCount)
        return true;
    const QString question = QStringLiteral("Delete channels ") + ChannelLabel(newCount + 1) +
                             QStringLiteral(" to ") + ChannelLabel(oldCount) +
                             QStringLiteral("?\r\n");
    return AskUser(question, EditorTitle(), MessageIcon::Question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

} // namespace ChannelCount
