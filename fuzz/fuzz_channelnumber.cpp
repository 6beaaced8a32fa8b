// ChannelNumberFromLabel on any text, read as Windows-1252 (as the CSV reader hands it over)
// and as UTF-16, against a slow reference built on the C library's number conversion.
#include "FuzzChecks.h"

#include "common/ChannelLabel.h"
#include "common/Windows1252.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The reference handles plain decimals of up to this many digits, where a long double
// still tells every such number from the halfway point next to it.
constexpr qsizetype kReferenceDigits = 18;

enum class Reference { NotANumber, Number, Overflow, Unknown };

struct ReferenceNumber
{
    Reference kind = Reference::NotANumber;
    long long value = 0;
};

ReferenceNumber referenceNumber(const QString& text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+))[ \\t]*\\z"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch())
        return {};
    const QString number = match.captured(1);
    qsizetype digits = 0;
    for (const QChar c : number)
        digits += c >= u'0' && c <= u'9' ? 1 : 0;
    if (digits > kReferenceDigits)
        return {Reference::Unknown, 0};
    const QByteArray ascii = number.toLatin1();
    const long double parsed = std::strtold(ascii.constData(), nullptr);
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyint(parsed);
    if (rounded > 2147483647.0L || rounded < -2147483648.0L)
        return {Reference::Overflow, 0};
    return {Reference::Number, static_cast<long long>(rounded)};
}

void checkAgainstReference(const QString& text)
{
    const std::optional<int> result = ModFunc::ChannelNumberFromLabel(text);
    const ReferenceNumber whole = referenceNumber(text);
    if (whole.kind == Reference::Unknown)
        return;
    if (whole.kind == Reference::Overflow) {
        FUZZ_CHECK(!result.has_value());
        return;
    }
    FUZZ_CHECK(result.has_value());
    if (whole.kind == Reference::Number) {
        FUZZ_CHECK(*result == whole.value);
        return;
    }
    const auto letter = [&](int i) { return text[i].unicode() - u'A'; };
    if (text.size() != 4 || letter(0) < 0 || letter(0) > 7 || letter(1) < 0 || letter(1) > 7) {
        FUZZ_CHECK(*result == 0);
        return;
    }
    const ReferenceNumber position = referenceNumber(text.mid(2));
    const long long base =
        letter(0) * ModFunc::kChannelsPerUnit + letter(1) * ModFunc::kChannelsPerCard;
    FUZZ_CHECK(*result == (position.kind == Reference::Number ? base + position.value : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    checkAgainstReference(Windows1252::decode(QByteArrayView(bytes, qsizetype(size))));
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), bytes, units.size() * sizeof(char16_t));
    checkAgainstReference(QString::fromStdU16String(units));

    // Every label and every 32-bit number reads back as itself.
    if (size >= 4) {
        std::int32_t number;
        std::memcpy(&number, bytes, sizeof number);
        FUZZ_CHECK(ModFunc::ChannelNumberFromLabel(QString::number(number)) == number);
        const int channel = int(std::uint32_t(number) % ModFunc::kMaxChannels) + 1;
        FUZZ_CHECK(ModFunc::ChannelNumberFromLabel(ModFunc::ChannelLabel(channel)) == channel);
    }
    return 0;
}
