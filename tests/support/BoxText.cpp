#include "BoxText.h"

#include <QRegularExpression>
#include <QStringList>

namespace BoxText {

namespace {

// Names in the order of the enumerations.
const QStringList kIcons{"None", "Information", "Exclamation", "Question", "Critical"};
const QStringList kButtons{"OK", "OK Cancel", "Yes No", "Yes No Cancel", "Restore Discard"};
const QStringList kAnswers{"OK", "Cancel", "Yes", "No", "Restore", "Discard"};

} // namespace

QString render(const MessageRequest& box, std::optional<MessageAnswer> answer,
               const QString& indent)
{
    QString out = "== " + kIcons.value(int(box.icon)) + " | " + box.title + " | " +
                  kButtons.value(int(box.buttons)) + (box.noByDefault ? " (No by default)" : "");
    if (box.buttons != MessageButtons::Ok)
        out += " -> " + (answer ? kAnswers.value(int(*answer)) : "(no answer given)");
    const QString text =
        QString(box.text).replace("\r\n", "\x01").replace('\r', "<CR>").replace('\n', "<LF>");
    for (const QString& line : text.split('\x01'))
        out += '\n' + indent + line;
    return out + '\n';
}

std::optional<MessageAnswer> answerIn(const QString& headLine)
{
    static const QRegularExpression question("^== .* -> (\\w+)$");
    const QRegularExpressionMatch match = question.match(headLine);
    if (!match.hasMatch() || !kAnswers.contains(match.captured(1)))
        return std::nullopt;
    return MessageAnswer(kAnswers.indexOf(match.captured(1)));
}

} // namespace BoxText
