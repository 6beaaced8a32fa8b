#include "SiteDump.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QString kLabel = QStringLiteral("{label}");

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (u < 0x20 || (u >= 0x7F && u <= 0xA0) || u == 0xAD) // cannot be seen
            out += QStringLiteral("\\u") + QString::number(u, 16).toUpper().rightJustified(4, u'0');
        else
            out += c;
    }
    return out + u'"';
}

QString unquoted(const QString& text)
{
    QString out;
    for (qsizetype i = 1; i < text.size() - 1; ++i) {
        if (text[i] != u'\\')
            out += text[i];
        else if (text[++i] != u'u')
            out += text[i];
        else
            out += QChar(text.mid(i + 1, 4).toUShort(nullptr, 16)), i += 4;
    }
    return out;
}

// The row's fields, its own label in the name written as {label} when asked.
QString rowFields(const ChannelRow& row, int channel, bool labelled)
{
    QString name = row.relNam;
    if (labelled)
        name.replace(LabelOf(channel), kLabel);
    return quoted(name) + (row.back ? QStringLiteral(" Back ") : QStringLiteral(" Front ")) +
           quoted(row.stUp) + u' ' + quoted(row.stDn);
}

// One row line into the rows; false when it does not parse or names rows the site lacks.
bool parseRowLine(const QString& line, ChannelRows& rows)
{
    static const QString text = QStringLiteral(R"(("(?:[^"\\]|\\.)*"))");
    static const QRegularExpression row("^([A-H]{2}\\d\\d)(?:-([A-H]{2}\\d\\d))? " + text +
                                        " (Back|Front) " + text + ' ' + text + '$');
    const QRegularExpressionMatch m = row.match(line);
    const int first = ChannelOf(m.captured(1));
    const bool span = !m.captured(2).isEmpty();
    const int last = span ? ChannelOf(m.captured(2)) : first;
    if (!m.hasMatch() || first < 1 || last < first || last > rows.size())
        return false;
    for (int channel = first; channel <= last; ++channel) {
        QString name = unquoted(m.captured(3));
        if (span)
            name.replace(kLabel, LabelOf(channel));
        rows[channel - 1] = {name, m.captured(4) == QLatin1String("Back"), unquoted(m.captured(5)),
                             unquoted(m.captured(6))};
    }
    return true;
}

} // namespace

int ChannelOf(const QString& label)
{
    const int position = label.mid(2).toInt();
    if (label.size() != 4 || label[0] < u'A' || label[0] > u'H' || label[1] < u'A' ||
        label[1] > u'H' || position < 1 || position > 48)
        return 0;
    return (label[0].unicode() - u'A') * 384 + (label[1].unicode() - u'A') * 48 + position;
}

QString LabelOf(int channel)
{
    const int k = channel - 1;
    return QString(QChar(u'A' + k / 384)) + QChar(u'A' + k % 384 / 48) +
           QStringLiteral("%1").arg(k % 48 + 1, 2, 10, QChar(u'0'));
}

ChannelRow DefaultRowOf(int channel)
{
    return {QStringLiteral("Spare ") + LabelOf(channel), false, QStringLiteral("UP"),
            QStringLiteral("DN")};
}

// Only rows that differ from their default are listed; consecutive rows alike once their own
// label is written {label} share one line "first-last".
QString RenderSite(const SiteDump& site)
{
    QString out = QStringLiteral("caption: %1\nfile: %2\nmodified: %3\nrows: %4\n")
                      .arg(site.caption, site.file.isEmpty() ? QStringLiteral("(none)") : site.file,
                           site.modified ? QStringLiteral("yes") : QStringLiteral("no"))
                      .arg(site.rows.size());
    const int count = int(site.rows.size());
    for (int channel = 1; channel <= count; ++channel) {
        if (site.rows[channel - 1] == DefaultRowOf(channel))
            continue;
        const QString shape = rowFields(site.rows[channel - 1], channel, true);
        int last = channel;
        while (last < count && site.rows[last] != DefaultRowOf(last + 1) &&
               rowFields(site.rows[last], last + 1, true) == shape)
            ++last;
        if (last == channel)
            out += LabelOf(channel) + u' ' + rowFields(site.rows[channel - 1], channel, false);
        else
            out += LabelOf(channel) + u'-' + LabelOf(last) + u' ' + shape;
        out += u'\n';
        channel = last;
    }
    return out;
}

std::optional<SiteDump> ParseSite(const QString& text, QString* error)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    const QStringList keys{"caption: ", "file: ", "modified: ", "rows: "};
    QStringList values;
    for (int i = 0; i < keys.size(); ++i) {
        if (lines.size() <= i || !lines[i].startsWith(keys[i])) {
            *error = QStringLiteral("line %1 must begin with \"%2\"").arg(i + 1).arg(keys[i]);
            return std::nullopt;
        }
        values << lines[i].mid(keys[i].size());
    }
    SiteDump site{values[0],
                  values[1] == QLatin1String("(none)") ? QString() : values[1],
                  values[2] == QLatin1String("yes"),
                  {}};
    for (int channel = 1; channel <= values[3].toInt(); ++channel)
        site.rows.append(DefaultRowOf(channel));
    for (qsizetype i = keys.size(); i < lines.size(); ++i) {
        if (!parseRowLine(lines[i], site.rows)) {
            *error = QStringLiteral("line %1 does not parse: %2").arg(i + 1).arg(lines[i]);
            return std::nullopt;
        }
    }
    return site;
}
