#include "ChannelLabel.h"

#include <cstdint>

namespace ModFunc {

namespace {

enum class NumberKind { NotANumber, Number, Overflow };

struct ParsedNumber
{
    NumberKind kind = NumberKind::NotANumber;
    std::int64_t value = 0;
};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Decimal digits with an optional sign and fraction and blanks around them, rounded to a
// whole number half to even. Exact: no floating point, so 2147483647.5 rounds correctly.
ParsedNumber parseRoundedNumber(QStringView s)
{
    qsizetype i = 0;
    qsizetype end = s.size();
    while (i < end && isBlank(s[i]))
        ++i;
    while (end > i && isBlank(s[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t(1) << 32;
    std::int64_t whole = 0;
    bool tooLarge = false;
    int digits = 0;
    for (; i < end && isDigit(s[i]); ++i, ++digits) {
        whole = whole * 10 + (s[i].unicode() - u'0');
        if (whole > kLimit) {
            tooLarge = true;
            whole = kLimit;
        }
    }
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < end && s[i] == u'.') {
        for (++i; i < end && isDigit(s[i]); ++i, ++digits) {
            const int d = s[i].unicode() - u'0';
            if (firstFraction < 0)
                firstFraction = d;
            else if (d != 0)
                restNonZero = true;
        }
    }
    if (i != end || digits == 0)
        return {};
    if (!tooLarge) {
        const bool roundUp =
            firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2));
        if (roundUp)
            ++whole;
    }
    const std::int64_t value = negative ? -whole : whole;
    if (tooLarge || value > INT32_MAX || value < INT32_MIN)
        return {NumberKind::Overflow, 0};
    return {NumberKind::Number, value};
}

// A label as ChannelLabel writes it, unit and card A to H and two digits, read directly.
std::optional<int> canonicalLabel(QStringView text)
{
    if (text.size() != 4)
        return std::nullopt;
    const auto letter = [](QChar c) { return c >= u'A' && c <= u'H'; };
    if (!letter(text[0]) || !letter(text[1]) || !isDigit(text[2]) || !isDigit(text[3]))
        return std::nullopt;
    return (text[0].unicode() - u'A') * kChannelsPerUnit +
           (text[1].unicode() - u'A') * kChannelsPerCard + (text[2].unicode() - u'0') * 10 +
           (text[3].unicode() - u'0');
}

} // namespace

bool WriteChannelLabel(int channel, char* out)
{
    if (channel < 1 || channel > kMaxChannels)
        return false;
    const int k = channel - 1;
    const int position = k % kChannelsPerCard + 1;
    out[0] = char('A' + k / kChannelsPerUnit);
    out[1] = char('A' + (k % kChannelsPerUnit) / kChannelsPerCard);
    out[2] = char('0' + position / 10);
    out[3] = char('0' + position % 10);
    return true;
}

QString ChannelLabel(int channel)
{
    char label[4];
    if (!WriteChannelLabel(channel, label))
        return {};
    return QString::fromLatin1(label, 4);
}

std::optional<int> ChannelNumberFromLabel(QStringView text)
{
    if (const std::optional<int> label = canonicalLabel(text))
        return label;
    const ParsedNumber whole = parseRoundedNumber(text);
    if (whole.kind == NumberKind::Overflow)
        return std::nullopt;
    if (whole.kind == NumberKind::Number)
        return static_cast<int>(whole.value);
    if (text.size() != 4)
        return 0;
    const int unit = text[0].unicode() - u'A';
    const int card = text[1].unicode() - u'A';
    if (unit < 0 || unit > 7 || card < 0 || card > 7)
        return 0;
    const ParsedNumber position = parseRoundedNumber(text.mid(2));
    if (position.kind != NumberKind::Number)
        return 0;
    return unit * kChannelsPerUnit + card * kChannelsPerCard + static_cast<int>(position.value);
}

QString OverflowDescription()
{
    return QStringLiteral("Overflow");
}

} // namespace ModFunc
