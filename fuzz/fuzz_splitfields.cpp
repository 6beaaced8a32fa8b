// SplitFields and SplitCsvLine on any line: the one-based lists keep their shape, SplitFields
// loses no character, and SplitCsvLine reads back every field that CsvLine writes.
#include "FuzzChecks.h"

#include "common/ChannelLabel.h"
#include "common/LineBreaks.h"
#include "common/SplitFields.h"
#include "common/Windows1252.h"
#include "document/ChannelRow.h"
#include "document/CsvFile.h"

namespace {

const QString kDelimiters[] = {QStringLiteral(","), QStringLiteral(", "), QStringLiteral(",,"),
                               QStringLiteral("ab")};

void checkSplitFields(const QString& text, const QString& delimiter)
{
    const QStringList fields = ModFunc::SplitFields(text, delimiter);
    FUZZ_CHECK(fields.size() >= 2);
    FUZZ_CHECK(fields[0].isEmpty());
    FUZZ_CHECK(fields.mid(1).join(delimiter) == text);
    if (delimiter.size() == 1)
        FUZZ_CHECK(fields.size() == text.count(delimiter) + 2);
}

void checkCsvLine(const QString& line)
{
    const QStringList fields = SplitCsvLine(line);
    FUZZ_CHECK(fields.size() >= 2 && fields.size() <= line.count(u',') + 2);
    FUZZ_CHECK(fields[0].isEmpty());
    if (!line.contains(u'"'))
        FUZZ_CHECK(fields == ModFunc::SplitFields(line, u","));
}

// A name the writer puts in a line comes back as the second field, cut to 16 characters, its
// line breaks as spaces; the line holds no other break.
void checkWrittenLine(const QString& name, int channel, bool back)
{
    QString line = CsvLine(ModFunc::ChannelLabel(channel), name, back);
    FUZZ_CHECK(line.endsWith(QStringLiteral("\r\n")));
    line.chop(2);
    FUZZ_CHECK(!ModFunc::HasLineBreak(line));
    const QStringList fields = SplitCsvLine(line);
    FUZZ_CHECK(fields.size() == 4);
    FUZZ_CHECK(fields[1] == ModFunc::ChannelLabel(channel));
    FUZZ_CHECK(fields[2] == ModFunc::LineBreaksAsSpaces(name.left(kRelayNameLimit)));
    FUZZ_CHECK(fields[3] == (back ? QStringLiteral("Back") : QStringLiteral("Front")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString text = Windows1252::decode(
        QByteArrayView(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)));
    checkSplitFields(text, kDelimiters[data[0] % std::size(kDelimiters)]);
    checkCsvLine(text);
    checkWrittenLine(text, data[0] % ModFunc::kMaxChannels + 1, data[0] & 1);
    return 0;
}
