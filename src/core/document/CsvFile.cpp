#include "CsvFile.h"

#include "ContactWords.h"
#include "CsvEncoding.h"
#include "SiteSize.h"
#include "common/AtomicFile.h"
#include "common/ChannelLabel.h"
#include "common/FileReader.h"
#include "common/LineBreaks.h"
#include "common/SplitFields.h"
#include "common/TrimSpaces.h"
#include "common/Windows1252.h"

#include <algorithm>

using ModFunc::ChannelLabel;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

bool isSpareMarker(QStringView trimmedName)
{
    const auto is = [](QStringView text, const char* marker) {
        return text.compare(QLatin1String(marker), Qt::CaseInsensitive) == 0;
    };
    return is(trimmedName.left(5), "SPARE") || is(trimmedName, "(SPARE)") || is(trimmedName, "SP");
}

// A list no real site comes near; a larger file is refused rather than read into memory.
constexpr qint64 kLargestList = 64 * 1024 * 1024;

// A line ends at CR LF, a lone CR or a lone LF, whatever quotes it holds, so that a stray quote
// never takes the lines after it. Nothing after the last break is a line.
QStringList csvLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

// A contact field that is no word for either contact, read by its first letter.
struct UnknownContact
{
    int channel = 0;
    QString word;
};

// One notice for every contact read by its first letter, naming the first few.
QString unknownContactsNotice(const QList<UnknownContact>& unknown)
{
    constexpr qsizetype kNamed = 3;
    QStringList named;
    for (const UnknownContact& contact : unknown.first(std::min(unknown.size(), kNamed)))
        named.append(
            QStringLiteral("\"%1\" on %2").arg(contact.word, ChannelLabel(contact.channel)));
    const bool one = unknown.size() == 1;
    QString text = one ? QStringLiteral("1 contact was")
                       : QStringLiteral("%1 contacts were").arg(unknown.size());
    text += QStringLiteral(" not Back or Front, nor B/F, TRUE/FALSE, Yes/No, 1/0 or X/empty: ") +
            named.join(QStringLiteral(", "));
    if (unknown.size() > kNamed)
        text += QStringLiteral(" and %1 more").arg(unknown.size() - kNamed);
    return text + u'.' + kLineBreak +
           (one ? QStringLiteral("It was") : QStringLiteral("Each was")) +
           QStringLiteral(" read as Back when it begins with B, otherwise as Front.");
}

CsvLineVerdict askToContinue(const CsvQuestion& ask, const QString& text, CsvLineVerdict onOk)
{
    return ask(text) ? onOk : CsvLineVerdict::Abort;
}

// Stores the name and the contact of a line. A contact that is no word for either contact is
// read by its first letter, as older lists were, and handed back to be named.
std::optional<QString> storeLine(ChannelRow& row, const QStringList& fields, int channel)
{
    const QStringView trimmed = ModFunc::TrimSpaces(QStringView(fields[2]));
    row.relNam = isSpareMarker(trimmed) ? SpareName(channel) : trimmed.toString();
    row.back = false;
    if (fields.size() - 1 < 3)
        return std::nullopt;
    const QString& contact = fields[3];
    if (const std::optional<bool> back = ContactFromText(contact)) {
        row.back = *back;
        return std::nullopt;
    }
    row.back = contact.startsWith(u'B') || contact.startsWith(u'b');
    return contact;
}

} // namespace

// A line break becomes a space, so that a field never spans lines. A field holding a comma or a
// double quote goes between double quotes, so that it reads back as the one field of its line;
// so does one holding a semicolon or a tab, which some spreadsheets split on as well.
QString QuotedCsvField(const QString& field)
{
    const QString text = ModFunc::LineBreaksAsSpaces(field);
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u';' || c == u'\t';
    });
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvLine(const QString& label, const QString& relayName, bool back)
{
    return label + u',' + QuotedCsvField(relayName.left(kRelayNameLimit)) + u',' +
           (back ? QStringLiteral("Back") : QStringLiteral("Front")) + kLineBreak;
}

FileResult SaveCsvFile(const ChannelRows& rows, const QString& path)
{
    QString text;
    for (int row = 0; row < rows.size(); ++row)
        text += CsvLine(ChannelLabel(row + 1), rows[row].relNam, rows[row].back);
    return AtomicFile::write(path, Windows1252::encode(text));
}

qsizetype ClosingQuote(QStringView text, qsizetype from)
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

QStringList SplitCsvLine(const QString& line)
{
    if (!line.contains(u'"'))
        return ModFunc::SplitFields(line, u",");
    QStringList fields{QString()};
    qsizetype i = 0;
    for (;;) {
        QString field;
        if (i < line.size() && line[i] == u'"') {
            if (const qsizetype close = ClosingQuote(line, i + 1); close >= 0) {
                field = line.mid(i + 1, close - i - 1)
                            .replace(QStringLiteral("\"\""), QStringLiteral("\""));
                i = close + 1;
            }
        }
        const qsizetype comma = line.indexOf(u',', i);
        field += QStringView(line).mid(i, comma < 0 ? line.size() - i : comma - i);
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
    return ReadCsvList(file.bytes, path, std::move(rows), ask);
}

SiteRead ReadCsvList(QByteArrayView bytes, const QString& path, ChannelRows rows,
                     const CsvQuestion& ask)
{
    SiteRead read;
    read.path = path;
    int expected = 1;
    int last = 0;
    QList<UnknownContact> unknownContacts;
    for (const QString& line : csvLines(DecodeCsvText(bytes))) {
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
            if (std::optional<QString> word = storeLine(rows[c - 1], fields, c))
                unknownContacts.append({c, *word});
        }
        expected = last + 1;
    }
    read.notices.append(QStringLiteral("%1 channels imported").arg(last));
    if (!unknownContacts.isEmpty())
        read.notices.append(unknownContactsNotice(unknownContacts));
    read.rows = std::move(rows);
    return read;
}
