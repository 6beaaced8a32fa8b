#include "ScenarioDialogs.h"

#include "support/BoxText.h"

#include <QDir>

namespace {

const QString kIndent = QStringLiteral("  ");

} // namespace

MessageAnswer ScenarioDialogs::showMessage(const MessageRequest& request)
{
    const int unexpectedBefore = unexpectedQuestions();
    const MessageAnswer answer = ScriptedDialogs::showMessage(request);
    const bool answered =
        request.buttons != MessageButtons::Ok && unexpectedQuestions() == unexpectedBefore;
    QString box =
        BoxText::render(request, answered ? std::optional(answer) : std::nullopt, kIndent);
    box.chop(1);
    events_.append(box);
    return answer;
}

// What a file dialog offers, as the user finds it.
static QString offered(const FileDialogRequest& r)
{
    const QString mode =
        r.mode == FileDialogRequest::Mode::Save
            ? ", to save as ." + r.defaultSuffix + (r.confirmOverwrite ? ", asking to replace" : "")
            : QString(", to open") + (r.fileMustExist ? " an existing file" : "");
    return ", proposing " + r.fileName + " in " + QDir::toNativeSeparators(r.directory) +
           ", showing " + r.filter + " at " + QString::number(r.filterIndex) + mode;
}

std::optional<QString> ScenarioDialogs::chooseFile(const FileDialogRequest& request)
{
    const std::optional<QString> path = ScriptedDialogs::chooseFile(request);
    const QString chosen =
        path ? QDir(workDir_).relativeFilePath(QDir::fromNativeSeparators(*path)) : "cancel";
    const bool proposal = !showProposals_.empty() && showProposals_.front();
    if (!showProposals_.empty())
        showProposals_.pop_front();
    const QString proposed = proposal ? offered(request) : QString();
    events_.append("file " + request.title + proposed + " -> " + chosen);
    return path;
}

void ScenarioDialogs::arm(const QStringList& responses)
{
    for (const QString& response : responses) {
        const QString head = response.section('\n', 0, 0);
        if (const std::optional<MessageAnswer> answer = BoxText::answerIn(head)) {
            answerNext(*answer);
        } else if (head.startsWith("file ")) {
            const QString chosen = head.section(" -> ", -1);
            showProposals_.push_back(head.contains(", proposing "));
            chooseNext(chosen == "cancel" ? std::nullopt
                                          : std::optional(QDir::toNativeSeparators(
                                                QDir(workDir_).filePath(chosen))));
        }
    }
}

QStringList ScenarioDialogs::takeEvents()
{
    QStringList events;
    events.swap(events_);
    showProposals_.clear();
    return events;
}
