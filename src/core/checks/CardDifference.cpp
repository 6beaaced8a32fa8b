#include "CardDifference.h"

#include "common/ChannelLabel.h"
#include "common/Windows1252.h"
#include "document/DipFile.h"

#include <QtEndian>

#include <algorithm>
#include <utility>

using ModFunc::ChannelLabel;

namespace {

// A field of the header or of a record: where it lies, what the user calls it, how its value
// is shown.
struct Field
{
    enum class Shown { Text, Number, Hex };

    int offset;
    int width;
    const char* name;
    Shown shown;
};

constexpr Field kHeaderFields[] = {
    {0, 4, "file flag", Field::Shown::Hex},       {4, 2, "file type", Field::Shown::Number},
    {6, 2, "version", Field::Shown::Number},      {8, 4, "channel count", Field::Shown::Number},
    {12, 4, "reserved field", Field::Shown::Hex},
};

constexpr Field kRecordFields[] = {
    {DipChannelRecord::kNameOffset, DipChannelRecord::kNameWidth, "relay name", Field::Shown::Text},
    {DipChannelRecord::kBackOffset, 1, "back-contact flag", Field::Shown::Number},
    {DipChannelRecord::kStateUpOffset, DipChannelRecord::kStateWidth, "state-up text",
     Field::Shown::Text},
    {DipChannelRecord::kStateDownOffset, DipChannelRecord::kStateWidth, "state-down text",
     Field::Shown::Text},
};

// The named field holding byte `at`, or a field of that one byte (the bytes written as 0 or 1).
template <std::size_t N>
Field fieldAt(const Field (&fields)[N], int at)
{
    const auto named = std::find_if(std::begin(fields), std::end(fields), [at](const Field& f) {
        return at >= f.offset && at < f.offset + f.width;
    });
    return named != std::end(fields) ? *named : Field{at, 1, nullptr, Field::Shown::Hex};
}

QString valueText(QByteArrayView bytes, const Field& field)
{
    const QByteArrayView value = bytes.sliced(field.offset, field.width);
    switch (field.shown) {
    case Field::Shown::Text:
        return Windows1252::decode(value);
    case Field::Shown::Number:
        if (field.width == 1)
            return QString::number(quint8(value[0]));
        if (field.width == 2)
            return QString::number(qFromLittleEndian<qint16>(value.data()));
        return QString::number(qFromLittleEndian<qint32>(value.data()));
    case Field::Shown::Hex:
        break;
    }
    QString hex;
    for (qsizetype i = value.size() - 1; i >= 0; --i)
        hex += QStringLiteral("%1").arg(quint8(value[i]), 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

// The card's value and the site's as the user reads them: texts quoted, without the spaces
// that pad them unless only those differ.
std::pair<QString, QString> shownValues(QByteArrayView card, QByteArrayView site,
                                        const Field& field)
{
    QString theirs = valueText(card, field);
    QString ours = valueText(site, field);
    if (field.shown != Field::Shown::Text)
        return {theirs, ours};
    const auto unpadded = [](QString text) {
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    };
    if (unpadded(theirs) != unpadded(ours)) {
        theirs = unpadded(theirs);
        ours = unpadded(ours);
    }
    return {u'"' + theirs + u'"', u'"' + ours + u'"'};
}

QString fieldName(const Field& field)
{
    return field.name ? QLatin1String(field.name) : QStringLiteral("byte %1").arg(field.offset);
}

QString headerDifference(QByteArrayView site, QByteArrayView card, int at)
{
    const Field field = fieldAt(kHeaderFields, at);
    const auto [theirs, ours] = shownValues(card, site, field);
    return QStringLiteral("In the header the card's %1 is %2, the site's %3.")
        .arg(fieldName(field), theirs, ours);
}

QString recordDifference(QByteArrayView site, QByteArrayView card, qsizetype at)
{
    const qsizetype record = (at - DipHeader::kSize) / DipChannelRecord::kSize;
    const qsizetype start = DipHeader::kSize + record * DipChannelRecord::kSize;
    const Field field = fieldAt(kRecordFields, int(at - start));
    const auto [theirs, ours] = shownValues(card.sliced(start, DipChannelRecord::kSize),
                                            site.sliced(start, DipChannelRecord::kSize), field);
    const QString where =
        field.name ? fieldName(field) : fieldName(field) + QStringLiteral(" of the record");
    return QStringLiteral("At channel %1 the card's %2 is %3, the site's %4.")
        .arg(ChannelLabel(int(record) + 1), where, theirs, ours);
}

// Channels from..to by their labels: "channel AA05" or "channels BA01 to BH48".
QString channelsText(int from, int to)
{
    if (from == to)
        return QStringLiteral("channel %1 is").arg(ChannelLabel(from));
    return QStringLiteral("channels %1 to %2 are").arg(ChannelLabel(from), ChannelLabel(to));
}

// The card's file ends early: every channel whose record it does not hold whole is missing.
QString shorterText(qsizetype siteSize, qsizetype cardSize)
{
    const int lastChannel = int((siteSize - DipHeader::kSize) / DipChannelRecord::kSize);
    const qsizetype whole =
        std::max<qsizetype>(0, cardSize - DipHeader::kSize) / DipChannelRecord::kSize;
    QString text = QStringLiteral("The card's file is %1 bytes shorter than the site's: ")
                       .arg(siteSize - cardSize);
    if (cardSize < DipHeader::kSize)
        text += QStringLiteral("its header is cut short and ");
    if (lastChannel == 0)
        return text + QStringLiteral("no channel is missing.");
    return text + channelsText(int(whole) + 1, lastChannel) + QStringLiteral(" missing.");
}

} // namespace

QString DescribeCardDifference(QByteArrayView site, QByteArrayView card)
{
    // A header or record the card's file cuts short counts as missing, not as a field.
    qsizetype compared = std::min(site.size(), card.size());
    if (card.size() < site.size())
        compared = card.size() < DipHeader::kSize
                       ? 0
                       : card.size() - (card.size() - DipHeader::kSize) % DipChannelRecord::kSize;
    const qsizetype at =
        std::mismatch(site.begin(), site.begin() + compared, card.begin()).first - site.begin();
    if (at < compared) {
        if (at < DipHeader::kSize)
            return headerDifference(site, card, int(at));
        return recordDifference(site, card, at);
    }
    if (card.size() < site.size())
        return shorterText(site.size(), card.size());
    if (card.size() > site.size()) {
        const int lastChannel = int((site.size() - DipHeader::kSize) / DipChannelRecord::kSize);
        return QStringLiteral("The card's file is %1 bytes longer than the site's: it goes on "
                              "after the last channel, %2.")
            .arg(card.size() - site.size())
            .arg(ChannelLabel(lastChannel));
    }
    return {};
}
