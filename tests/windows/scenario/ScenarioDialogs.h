#pragma once

#include "support/ScriptedDialogs.h"

#include <QStringList>

#include <deque>

// The dialog seam of a GUI scenario: answers boxes and file dialogs as the script says, and
// keeps what was shown, in order, as the script writes it.
class ScenarioDialogs : public ScriptedDialogs
{
public:
    explicit ScenarioDialogs(const QString& workDir) : workDir_(workDir) {}

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    // Takes the answers that the boxes and file dialogs among `responses` give.
    void arm(const QStringList& responses);
    // Something else that happened, such as the site selector answered.
    void note(const QString& event) { events_.append(event); }
    qsizetype eventCount() const { return events_.size(); }
    // What happened since the last call.
    QStringList takeEvents();

private:
    QString workDir_;
    QStringList events_;
    // Whether each armed file dialog's line names the file name it proposes.
    std::deque<bool> showProposals_;
};
