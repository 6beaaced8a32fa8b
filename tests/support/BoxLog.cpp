#include "BoxLog.h"

#include <QStringList>

namespace {

const QString kHeader = QStringLiteral("== ");
const QString kArrow = QStringLiteral(" -> ");

// The names in the order of the enumerations.
const QStringList kIconNames{"None", "Information", "Exclamation", "Question", "Critical"};
const QStringList kButtonsNames{"OK", "OK Cancel", "Yes No", "Yes No Cancel", "Restore Discard"};
const QStringList kAnswerNames{"OK", "Cancel", "Yes", "No", "Restore", "Discard"};

} // namespace

QString RenderBoxes(const QList<MessageRequest>& boxes, const QList<MessageAnswer>& answers)
{
    QString out;
    qsizetype answered = 0;
    for (const MessageRequest& box : boxes) {
        out += kHeader + kIconNames.value(int(box.icon), "?") + QStringLiteral(" | ") + box.title +
               QStringLiteral(" | ") + kButtonsNames.value(int(box.buttons), "?");
        if (box.buttons != MessageButtons::Ok) {
            out += kArrow + (answered < answers.size()
                                 ? kAnswerNames.value(int(answers[answered]), "?")
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
        if (kAnswerNames.contains(name))
            answers.append(MessageAnswer(kAnswerNames.indexOf(name)));
    }
    return answers;
}
