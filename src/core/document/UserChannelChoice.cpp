#include "UserChannelChoice.h"

#include "ChannelTableModel.h"
#include "SiteSize.h"
#include "common/ChannelLabel.h"
#include "common/Dialogs.h"

using ModFunc::ChannelLabel;

bool ConfirmUserChannelChoice(ChannelTableModel& table, int choice)
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
    if (newCount < oldCount) {
        const QString question = QStringLiteral("Delete channels ") + ChannelLabel(newCount + 1) +
                                 QStringLiteral(" to ") + ChannelLabel(oldCount) +
                                 QStringLiteral("?\r\n");
        if (AskUser(question, EditorTitle(), MessageIcon::Question, MessageButtons::OkCancel) !=
            MessageAnswer::Ok) {
            table.selectChoice(oldCount / SiteSize::choiceChannels(0) - 1);
            return false;
        }
    }
    return true;
}

void ResizeToChoice(ChannelTableModel& table, int choice)
{
    table.resizeTo(SiteSize::choiceChannels(choice));
    table.selectChoice(choice);
}
