#include "CsvFile.h"

#include "ChannelTableModel.h"
#include "common/AtomicFile.h"
#include "common/ChannelLabel.h"
#include "common/Dialogs.h"
#include "common/ShowMessage.h"
#include "common/SplitFields.h"
#include "common/Windows1252.h"

#include <QFile>

using ModFunc::ChannelLabel;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QString quotedIfNeeded(const QString& name)
{
    if (!name.contains(u',') && !name.contains(u'"'))
        return name;
    QString quoted = name;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool isSpareMarker(const QString& trimmedName)
{
    const QString upper = trimmedName.toUpper();
    return upper.left(5) == QLatin1String("SPARE") || upper == QLatin1String("(SPARE)") ||
           upper == QLatin1String("SP");
}

// A line ends at CR LF, a lone CR or a lone LF; an end of file after a line break starts no
// further line.
QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

CsvLineVerdict askToContinue(const QString& text, CsvLineVerdict onOk)
{
    const MessageAnswer answer =
        AskUser(text, ApplicationTitle(), MessageIcon::Question, MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok ? onOk : CsvLineVerdict::Abort;
}

QString maximumChannelsText(int channels)
{
    return QStringLiteral("This copy of ZR415Config can handle a maximum of %1 channels.")
        .arg(channels);
}

QString subscriptOutOfRange()
{
    return QStringLiteral("Subscript out of range");
}

} // namespace

QString CsvLine(const QString& label, const QString& relayName, bool back)
{
    return label + u',' + quotedIfNeeded(relayName.left(ChannelTableModel::kRelayNameLimit)) +
           u',' + (back ? QStringLiteral("Back") : QStringLiteral("Front")) + kLineBreak;
}

FileResult SaveCsvFile(const ChannelTableModel& table, const QString& path)
{
    QString text;
    text.reserve(table.channelCount() * 32);
    for (int row = 0; row < table.channelCount(); ++row) {
        const ChannelRow& channel = table.channel(row);
        text += CsvLine(table.label(row), channel.relNam, channel.back);
    }
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

CsvLineCheck CheckCsvLine(const QString& line, const QStringList& fields, int expected)
{
    CsvLineCheck check;
    if (fields.size() - 1 < 2) {
        check.verdict = askToContinue(QStringLiteral("Not enough fields found in line:-") +
                                          kLineBreak + u'"' + line.left(64) + u'"' +
                                          kLineBreak + QStringLiteral("Continue loading?"),
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
        check.verdict = askToContinue(QStringLiteral("Invalid channel number found on line. ") +
                                          kLineBreak + u'"' + line + u'"' + kLineBreak +
                                          QStringLiteral("Continue loading?"),
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
    check.verdict = askToContinue(question, CsvLineVerdict::Ok);
    return check;
}

CsvLoadResult LoadCsvFile(ChannelTableModel& table, const QString& path)
{
    CsvLoadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.file = FileResult::failure(file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.file = FileResult::failure(file.errorString());
        return result;
    }
    // Rows stored before a failure stay, so the view is refreshed on every way out.
    const auto failed = [&](const QString& description) {
        table.RefreshGrid();
        result.file = FileResult::failure(description);
        return result;
    };
    int expected = 1;
    int& last = result.lastChannel;
    for (const QString& line : splitLines(Windows1252::decode(bytes))) {
        const QStringList fields = SplitCsvLine(line);
        const CsvLineCheck check = CheckCsvLine(line, fields, expected);
        if (check.overflow)
            return failed(ModFunc::OverflowDescription());
        if (check.verdict == CsvLineVerdict::Abort) {
            result.aborted = true;
            break;
        }
        if (check.verdict == CsvLineVerdict::Ok) {
            const int c = check.channel;
            if (c > table.channelCount())
                table.SetChannelCount(c, ChannelTableModel::FillAddedRows);
            if (table.channelCount() < c) {
                ModFunc::ShowMessage(maximumChannelsText(table.channelCount()));
                break;
            }
            last = c;
            QString name = trimSpaces(fields[2]);
            if (isSpareMarker(name))
                name = ChannelTableModel::spareName(c);
            const QString contact = fields.size() - 1 >= 3 ? fields[3].left(1) : QStringLiteral("F");
            const bool back = contact == QLatin1String("B") || contact == QLatin1String("b");
            if (!table.setRelayName(c - 1, name) || !table.setBackContact(c - 1, back))
                return failed(subscriptOutOfRange());
        }
        expected = last + 1;
    }
    ModFunc::ShowMessage(QStringLiteral("%1 channels imported").arg(last));
    table.RefreshGrid();
    return result;
}
