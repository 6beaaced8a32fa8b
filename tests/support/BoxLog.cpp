#include "BoxLog.h"

#include <QStringList>

namespace {

const QString kHeader = QStringLiteral("== ");
const QString kArrow = QStringLiteral(" -> ");

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QStringLiteral("None");
    case MessageIcon::Information:
        return QStringLiteral("Information");
    case MessageIcon::Exclamation:
        return QStringLiteral("Exclamation");
    case MessageIcon::Question:
        return QStringLiteral("Question");
    case MessageIcon::Critical:
        return QStringLiteral("Critical");
    }
    return QStringLiteral("?");
}

QString buttonsName(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QStringLiteral("OK");
    case MessageButtons::OkCancel:
        return QStringLiteral("OK Cancel");
    case MessageButtons::YesNo:
        return QStringLiteral("Yes No");
    case MessageButtons::YesNoCancel:
        return QStringLiteral("Yes No Cancel");
    case MessageButtons::RestoreDiscard:
        return QStringLiteral("Restore Discard");
    }
    return QStringLiteral("?");
}

const QList<std::pair<MessageAnswer, QString>> kAnswerNames{
    {MessageAnswer::Ok, QStringLiteral("OK")},
    {MessageAnswer::Cancel, QStringLiteral("Cancel")},
    {MessageAnswer::Yes, QStringLiteral("Yes")},
    {MessageAnswer::No, QStringLiteral("No")},
    {MessageAnswer::Restore, QStringLiteral("Restore")},
    {MessageAnswer::Discard, QStringLiteral("Discard")}};

QString answerName(MessageAnswer answer)
{
    for (const auto& [value, name] : kAnswerNames) {
        if (value == answer)
            return name;
    }
    return QStringLiteral("?");
}

} // namespace

QString RenderBoxes(const QList<MessageRequest>& boxes, const QList<MessageAnswer>& answers)
{
    QString out;
    qsizetype answered = 0;
    for (const MessageRequest& box : boxes) {
        out += kHeader + iconName(box.icon) + QStringLiteral(" | ") + box.title +
               QStringLiteral(" | ") + buttonsName(box.buttons);
        if (box.buttons != MessageButtons::Ok) {
            out += kArrow + (answered < answers.size() ? answerName(answers[answered])
                                                       : QStringLiteral("(no answer given)"));
            ++answered;
        }
        out += u'\n';
        // Lines of a box are joined by CR LF; a lone CR or LF is no line break.
        QStringList lines = box.text.split(QStringLiteral("\r\n"));
        for (QString& line : lines) {
            line.replace(u'\r', QStringLiteral("<CR>"));
            line.replace(u'\n', QStringLiteral("<LF>"));
            out += line + u'\n';
        }
    }
    return out;
}

QList<MessageAnswer> AnswersIn(const QString& text)
{
    QList<MessageAnswer> answers;
    for (const QString& line : text.split(u'\n')) {
        if (!line.startsWith(kHeader))
            continue;
        const qsizetype arrow = line.lastIndexOf(kArrow);
        if (arrow < 0)
            continue;
        const QString name = line.mid(arrow + kArrow.size()).trimmed();
        for (const auto& [value, answerText] : kAnswerNames) {
            if (answerText == name)
                answers.append(value);
        }
    }
    return answers;
}
