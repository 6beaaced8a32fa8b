#include "ScenarioScript.h"

#include <algorithm>

namespace {

const QString kIndent = QStringLiteral("  ");

bool isResponse(const QString& line)
{
    static const QStringList kinds{"== ",       "file ",    "selector ", "input ",
                                   "progress ", "preview ", "sheet ",    "help "};
    return std::any_of(kinds.begin(), kinds.end(),
                       [&line](const QString& kind) { return line.startsWith(kind); });
}

} // namespace

std::optional<QList<ScenarioStep>> ParseScenario(const QString& text, QString* error)
{
    QList<ScenarioStep> steps;
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString where = QString("line %1: ").arg(i + 1);
        // An indented line belongs to what is above it, even one of blanks alone: the empty
        // last line of a box's text.
        if (line.startsWith(kIndent)) {
            if (steps.isEmpty()) {
                *error = where + "an indented line before any step";
                return std::nullopt;
            }
            ScenarioStep& last = steps.last();
            if (!last.responses.isEmpty())
                last.responses.last() += '\n' + line;
            else
                last.block.append(line.mid(kIndent.size()));
        } else if (line.trimmed().isEmpty() || line.startsWith('#')) {
            continue;
        } else if (isResponse(line)) {
            if (steps.isEmpty() || steps.last().verb == "expect") {
                *error = where + "a box or dialog that follows no action";
                return std::nullopt;
            }
            steps.last().responses.append(line);
        } else {
            steps.append({i + 1, line.section(' ', 0, 0), line.section(' ', 1), {}, {}});
        }
    }
    return steps;
}
