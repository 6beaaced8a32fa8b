#include "CsvFile.h"

#include "SiteSize.h"
#include "common/AtomicFile.h"
#include "common/ChannelLabel.h"
#include "common/FileReader.h"
#include "common/SplitFields.h"
#include "common/TrimSpaces.h"
#include "common/Windows1252.h"

#include <algorithm>

using ModFunc::ChannelLabel;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// A name holding a comma, a double quote or a line break goes between double quotes, so that
// it reads back as the one name of its one line.
QString quotedIfNeeded(const QString& name)
{
    const bool plain = std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (plain)
        return name;
    QString quoted = name;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool isSpareMarker(QStringView trimmedName)
{
    const auto is = [](QStringView text, const char* marker) {
        return text.compare(QLatin1String(marker), Qt::CaseInsensitive) == 0;
    };
    return is(trimmedName.left(5), "SPARE") || is(trimmedName, "(SPARE)") || is(trimmedName, "SP");
}

// A list no real site comes near; a larger file is refused rather than read into memory.
constexpr qint64 kLargestList = 64 * 1024 * 1024;

// The closing quote of a quoted field that opens before `from`; -1 when there is none.
qsizetype closingQuote(const QString& text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] != u'"')
            continue;
        if (i + 1 < text.size() && text[i + 1] == u'"')
            ++i;
        else
            return i;
    }
    return -1;
}

// Cuts the text into lines. A line ends at CR LF, a lone CR or a lone LF, except inside a
// field that begins with a double quote, up to its closing quote; a quote that never closes
// quotes nothing. Nothing after the last break is a line.
class CsvLines
{
public:
    explicit CsvLines(const QString& text) : text_(text), unclosedFrom_(text.size()) {}

    QStringList all()
    {
        QStringList lines;
        qsizetype start = 0;
        while (start < text_.size()) {
            const qsizetype end = endOfLine(start);
            lines.append(text_.mid(start, end - start));
            start =
                end +
                (end + 1 < text_.size() && text_[end] == u'\r' && text_[end + 1] == u'\n' ? 2 : 1);
        }
        return lines;
    }

private:
    qsizetype endOfLine(qsizetype start)
    {
        bool fieldStart = true;
        for (qsizetype i = start; i < text_.size(); ++i) {
            const QChar c = text_[i];
            if (c == u'\r' || c == u'\n')
                return i;
            if (c == u'"' && fieldStart && i < unclosedFrom_) {
                const qsizetype close = closingQuote(text_, i + 1);
                if (close >= 0) {
                    i = close;
                    fieldStart = false;
                    continue;
                }
                // No quote closes after this one, nor after any later one.
                unclosedFrom_ = i;
            }
            fieldStart = c == u',';
        }
        return text_.size();
    }

    const QString& text_;
    qsizetype unclosedFrom_;
};

CsvLineVerdict askToContinue(const CsvQuestion& ask, const QString& text, CsvLineVerdict onOk)
{
    return ask(text) ? onOk : CsvLineVerdict::Abort;
}

void storeLine(ChannelRow& row, const QStringList& fields, int channel)
{
    const QStringView trimmed = ModFunc::TrimSpaces(QStringView(fields[2]));
    const QString name = isSpareMarker(trimmed) ? SpareName(channel) : trimmed.toString();
    const QString contact = fields.size() - 1 >= 3 ? fields[3].left(1) : QStringLiteral("F");
    row.relNam = name;
    row.back = contact == QLatin1String("B") || contact == QLatin1String("b");
}

} // namespace

QString CsvLine(const QString& label, const QString& relayName, bool back)
{
    return label + u',' + quotedIfNeeded(relayName.left(kRelayNameLimit)) + u',' +
           (back ? QStringLiteral("Back") : QStringLiteral("Front")) + kLineBreak;
}

FileResult SaveCsvFile(const ChannelRows& rows, const QString& path)
{
    QString text;
    for (int row = 0; row < rows.size(); ++row)
        text += CsvLine(ChannelLabel(row + 1), rows[row].relNam, rows[row].back);
    return AtomicFile::write(path, Windows1252::encode(text));
}

QStringList SplitCsvLine(const QString& line)
{
    if (!line.contains(u'"'))
        return ModFunc::SplitFields(line, u",");
    QStringList fields{QString()};
    const qsizetype size = line.size();
    qsizetype i = 0;
    for (;;) {
        QString field;
        if (i < size && line[i] == u'"') {
            for (++i; i < size; ++i) {
                if (line[i] != u'"') {
                    field += line[i];
                } else if (i + 1 < size && line[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const qsizetype comma = line.indexOf(u',', i);
        field += QStringView(line).mid(i, comma < 0 ? size - i : comma - i);
        fields.append(field);
        if (comma < 0)
            return fields;
        i = comma + 1;
    }
}

CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected,
                          const CsvQuestion& ask)
{
    CsvLineCheck check;
    if (fields.size() - 1 < 2) {
        check.verdict = askToContinue(ask,
                                      QStringLiteral("Not enough fields found in line:-") +
                                          kLineBreak + u'"' + line.left(64) + u'"' + kLineBreak +
                                          QStringLiteral("Continue loading?"),
                                      CsvLineVerdict::Continue);
        return check;
    }
    const std::optional<int> channel = ModFunc::ChannelNumberFromLabel(fields[1]);
    if (!channel) {
        check.overflow = true;
        check.verdict = CsvLineVerdict::Abort;
        return check;
    }
    check.channel = *channel;
    if (check.channel == 0) {
        check.verdict =
            askToContinue(ask,
                          QStringLiteral("Invalid channel number found on line. ") + kLineBreak +
                              u'"' + line + u'"' + kLineBreak + QStringLiteral("Continue loading?"),
                          CsvLineVerdict::Continue);
        return check;
    }
    if (check.channel == expected) {
        check.verdict = CsvLineVerdict::Ok;
        return check;
    }
    const QString question = QStringLiteral("Unexpected channel number.") + kLineBreak +
                             QStringLiteral("Expected %1 (%2), got %3 (%4)")
                                 .arg(ChannelLabel(expected))
                                 .arg(expected)
                                 .arg(ChannelLabel(check.channel))
                                 .arg(check.channel) +
                             kLineBreak + QStringLiteral("Continue loading?");
    check.verdict = askToContinue(ask, question, CsvLineVerdict::Ok);
    return check;
}

SiteRead LoadCsvFile(const QString& path, ChannelRows rows, const CsvQuestion& ask)
{
    const WholeFile file = FileReader::readWhole(path, kLargestList);
    if (file.tooLarge)
        return SiteRead::failed(path, QStringLiteral("The file is larger than 64 MB, far larger "
                                                     "than a channel list."));
    if (!file.error.isEmpty())
        return SiteRead::failed(path, file.error);
    const QByteArray& bytes = file.bytes;
    SiteRead read;
    read.path = path;
    int expected = 1;
    int last = 0;
    for (const QString& line : CsvLines(Windows1252::decode(bytes)).all()) {
        const QStringList fields = SplitCsvLine(line);
        const CsvLineCheck check = CheckCsvLine(line, fields, expected, ask);
        if (check.overflow)
            return SiteRead::failed(path, ModFunc::OverflowDescription());
        if (check.verdict == CsvLineVerdict::Abort) {
            read.outcome = SiteRead::Outcome::Cancelled;
            break;
        }
        if (check.verdict == CsvLineVerdict::Ok) {
            const int c = check.channel;
            if (c > rows.size())
                AppendDefaultRows(rows, SiteSize::channelsFor(c));
            if (rows.size() < c) {
                read.notices.append(SiteSize::maximumChannelsText(int(rows.size())));
                read.outcome = SiteRead::Outcome::Cut;
                break;
            }
            // A channel below 1 has no row.
            if (c < 1)
                return SiteRead::failed(path, QStringLiteral("Subscript out of range"));
            last = c;
            storeLine(rows[c - 1], fields, c);
        }
        expected = last + 1;
    }
    read.notices.append(QStringLiteral("%1 channels imported").arg(last));
    read.rows = std::move(rows);
    return read;
}
