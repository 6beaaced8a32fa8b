#include "SiteDump.h"

#include <QStringList>

namespace {

const QString kLabel = QStringLiteral("{label}");

bool mustEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD;
}

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (mustEscape(c.unicode()))
            out += QStringLiteral("\\u") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
        else
            out += c;
    }
    return out + u'"';
}

// The row as one line's fields, with its own label in the name written as {label} when asked.
QString rowFields(const ChannelRow& row, int channel, bool labelled)
{
    QString name = row.relNam;
    if (labelled)
        name.replace(LabelOf(channel), kLabel);
    return quoted(name) + (row.back ? QStringLiteral(" Back ") : QStringLiteral(" Front ")) +
           quoted(row.stUp) + u' ' + quoted(row.stDn);
}

// Reads the tokens of a row line: a word, or a quoted text with its escapes.
class LineReader
{
public:
    explicit LineReader(const QString& line) : line_(line) {}

    bool atEnd()
    {
        skipSpaces();
        return at_ >= line_.size();
    }
    std::optional<QString> word()
    {
        skipSpaces();
        const qsizetype start = at_;
        while (at_ < line_.size() && line_[at_] != u' ')
            ++at_;
        if (at_ == start)
            return std::nullopt;
        return line_.mid(start, at_ - start);
    }
    std::optional<QString> text()
    {
        skipSpaces();
        if (at_ >= line_.size() || line_[at_] != u'"')
            return std::nullopt;
        QString out;
        for (++at_; at_ < line_.size(); ++at_) {
            const QChar c = line_[at_];
            if (c == u'"') {
                ++at_;
                return out;
            }
            if (c != u'\\') {
                out += c;
                continue;
            }
            if (++at_ >= line_.size())
                return std::nullopt;
            if (line_[at_] != u'u') {
                out += line_[at_];
                continue;
            }
            bool ok = false;
            const ushort code = line_.mid(at_ + 1, 4).toUShort(&ok, 16);
            if (!ok)
                return std::nullopt;
            out += QChar(code);
            at_ += 4;
        }
        return std::nullopt;
    }

private:
    void skipSpaces()
    {
        while (at_ < line_.size() && line_[at_] == u' ')
            ++at_;
    }

    const QString& line_;
    qsizetype at_ = 0;
};

int channelOf(const QString& label)
{
    if (label.size() != 4 || label[0] < u'A' || label[0] > u'H' || label[1] < u'A' ||
        label[1] > u'H')
        return 0;
    bool ok = false;
    const int position = label.mid(2).toInt(&ok);
    if (!ok || position < 1 || position > 48)
        return 0;
    return (label[0].unicode() - u'A') * 384 + (label[1].unicode() - u'A') * 48 + position;
}

// One row line into the rows; false when it does not parse or names rows the site lacks.
bool parseRowLine(const QString& line, ChannelRows& rows)
{
    LineReader reader(line);
    const std::optional<QString> span = reader.word();
    if (!span)
        return false;
    const QStringList ends = span->split(u'-');
    const int first = channelOf(ends.first());
    const int last = ends.size() == 2 ? channelOf(ends.last()) : first;
    const std::optional<QString> name = reader.text();
    const std::optional<QString> contact = reader.word();
    const std::optional<QString> up = reader.text();
    const std::optional<QString> down = reader.text();
    if (ends.size() > 2 || first < 1 || last < first || last > rows.size() || !name || !contact ||
        (*contact != QLatin1String("Back") && *contact != QLatin1String("Front")) || !up || !down ||
        !reader.atEnd())
        return false;
    for (int channel = first; channel <= last; ++channel) {
        QString channelName = *name;
        if (ends.size() == 2)
            channelName.replace(kLabel, LabelOf(channel));
        rows[channel - 1] = {channelName, *contact == QLatin1String("Back"), *up, *down};
    }
    return true;
}

} // namespace

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

QString RenderSite(const SiteDump& site)
{
    QString out = QStringLiteral("caption: %1\nfile: %2\nmodified: %3\nrows: %4\n")
                      .arg(site.caption, site.file.isEmpty() ? QStringLiteral("(none)") : site.file,
                           site.modified ? QStringLiteral("yes") : QStringLiteral("no"))
                      .arg(site.rows.size());
    const int count = int(site.rows.size());
    for (int channel = 1; channel <= count;) {
        if (site.rows[channel - 1] == DefaultRowOf(channel)) {
            ++channel;
            continue;
        }
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
        channel = last + 1;
    }
    return out;
}

std::optional<SiteDump> ParseSite(const QString& text, QString* error)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QStringList keys{"caption: ", "file: ", "modified: ", "rows: "};
    for (int i = 0; i < keys.size(); ++i) {
        if (lines.size() <= i || !lines[i].startsWith(keys[i])) {
            *error = QStringLiteral("line %1 must begin with \"%2\"").arg(i + 1).arg(keys[i]);
            return std::nullopt;
        }
    }
    SiteDump site;
    site.caption = lines[0].mid(keys[0].size());
    site.file = lines[1].mid(keys[1].size());
    if (site.file == QLatin1String("(none)"))
        site.file.clear();
    site.modified = lines[2].mid(keys[2].size()) == QLatin1String("yes");
    const int count = lines[3].mid(keys[3].size()).toInt();
    for (int channel = 1; channel <= count; ++channel)
        site.rows.append(DefaultRowOf(channel));
    for (qsizetype i = keys.size(); i < lines.size(); ++i) {
        if (!parseRowLine(lines[i], site.rows)) {
            *error = QStringLiteral("line %1 does not parse: %2").arg(i + 1).arg(lines[i]);
            return std::nullopt;
        }
    }
    return site;
}
