#include "SiteChecks.h"

#include "common/ChannelLabel.h"
#include "common/LineBreaks.h"
#include "common/Windows1252.h"
#include "document/ChannelStatistics.h"
#include "document/ChannelTableModel.h"

#include <QHash>

#include <algorithm>

namespace {

using Model = ChannelTableModel;

// Channels that share a relay and its contact, by the relay name as the user wrote it,
// letter case and spaces at the ends aside.
QHash<QString, QList<int>> relaysInUse(const ChannelRows& rows)
{
    QHash<QString, QList<int>> relays;
    for (int row = 0; row < rows.size(); ++row) {
        const QString name = rows[row].relNam.trimmed().toCaseFolded();
        if (!ChannelStatistics::isSpareName(rows[row].relNam))
            relays[name + (rows[row].back ? u'B' : u'F')].append(row);
    }
    return relays;
}

// The first few of the other channels: a name filled down a whole column would otherwise name
// thousands on each of its channels.
constexpr int kOthersNamed = 3;

QString othersText(const QList<int>& rows, int row)
{
    QStringList labels;
    for (const int other : rows) {
        if (other != row && labels.size() < kOthersNamed)
            labels.append(ModFunc::ChannelLabel(other + 1));
    }
    QString text =
        QStringLiteral("The same relay and contact as %1").arg(labels.join(QStringLiteral(", ")));
    const qsizetype unnamed = rows.size() - 1 - labels.size();
    if (unnamed == 1)
        text += QStringLiteral(" and 1 other");
    else if (unnamed > 1)
        text += QStringLiteral(" and %1 others").arg(unnamed);
    return text;
}

// What the channel file would do to a text, or nothing.
QString fileProblem(const QString& text, int limit)
{
    if (text.size() > limit)
        return QStringLiteral("Longer than the %1 characters the channel file holds").arg(limit);
    if (Windows1252::hasUnencodable(text))
        return QStringLiteral("Holds characters the channel file writes as \"?\"");
    return {};
}

void checkText(QList<SiteProblem>& problems, int row, int column, const QString& text, int limit)
{
    if (text.trimmed().isEmpty()) {
        problems.append({row, column, QStringLiteral("Empty")});
        return;
    }
    if (const QString problem = fileProblem(text, limit); !problem.isEmpty())
        problems.append({row, column, problem});
}

void checkName(QList<SiteProblem>& problems, int row, const QString& name,
               const QHash<QString, QList<int>>& relays, bool back)
{
    const QList<int> sharing = relays.value(name.trimmed().toCaseFolded() + (back ? u'B' : u'F'));
    if (sharing.size() > 1)
        problems.append({row, Model::ColRelNam, othersText(sharing, row)});
    checkText(problems, row, Model::ColRelNam, name, kRelayNameLimit);
    if (ModFunc::HasLineBreak(name))
        problems.append({row, Model::ColRelNam,
                         QStringLiteral("Holds a line break, which a CSV list writes as a space")});
    const QString trimmed = name.trimmed();
    if (!trimmed.isEmpty() && QStringLiteral("=+-@").contains(trimmed.front()))
        problems.append({row, Model::ColRelNam,
                         QStringLiteral("Begins with \"%1\": a spreadsheet may take it for a "
                                        "formula")
                             .arg(trimmed.front())});
}

void checkStates(QList<SiteProblem>& problems, int row, const ChannelRow& channel)
{
    const bool spare = ChannelStatistics::isSpareName(channel.relNam);
    const std::pair<int, QString> states[] = {{Model::ColStUp, QStringLiteral("UP")},
                                              {Model::ColStDn, QStringLiteral("DN")}};
    for (const auto& [column, standard] : states) {
        const QString& text = column == Model::ColStUp ? channel.stUp : channel.stDn;
        checkText(problems, row, column, text, kStateTextLimit);
        if (spare && !text.trimmed().isEmpty() && text.trimmed() != standard)
            problems.append(
                {row, column,
                 QStringLiteral("A spare channel whose state text is not %1").arg(standard)});
    }
}

} // namespace

QList<SiteProblem> CheckSite(const ChannelRows& rows)
{
    const QHash<QString, QList<int>> relays = relaysInUse(rows);
    QList<SiteProblem> problems;
    for (int row = 0; row < rows.size(); ++row) {
        checkName(problems, row, rows[row].relNam, relays, rows[row].back);
        checkStates(problems, row, rows[row]);
    }
    return problems;
}

QString ProblemLine(const SiteProblem& problem)
{
    return ModFunc::ChannelLabel(problem.row + 1) + u'\t' + ColumnCaption(problem.column) + u'\t' +
           problem.text;
}

QString NamesCutNotice(const ChannelRows& rows)
{
    const auto first = std::find_if(rows.begin(), rows.end(), [](const ChannelRow& row) {
        return row.relNam.size() > kRelayNameLimit;
    });
    if (first == rows.end())
        return {};
    const auto cut = std::count_if(first, rows.end(), [](const ChannelRow& row) {
        return row.relNam.size() > kRelayNameLimit;
    });
    const QString label = ModFunc::ChannelLabel(int(first - rows.begin()) + 1);
    if (cut == 1)
        return QStringLiteral(
                   "1 relay name was longer than 16 characters and was written cut to 16: %1.")
            .arg(label);
    return QStringLiteral("%1 relay names were longer than 16 characters and were written cut to "
                          "16, the first on %2.")
        .arg(cut)
        .arg(label);
}
