#include "CsvEncoding.h"

#include "common/Windows1252.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

QString decodeAs(QStringConverter::Encoding encoding, QByteArrayView bytes, bool* valid = nullptr)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

bool startsWith(QByteArrayView bytes, QByteArrayView mark)
{
    return bytes.size() >= mark.size() && bytes.first(mark.size()) == mark;
}

} // namespace

QString DecodeCsvText(QByteArrayView bytes)
{
    static constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
    static constexpr char kUtf16LeMark[] = "\xFF\xFE";
    static constexpr char kUtf16BeMark[] = "\xFE\xFF";
    if (startsWith(bytes, kUtf8Mark))
        return decodeAs(QStringConverter::Utf8, bytes.sliced(3));
    if (startsWith(bytes, kUtf16LeMark))
        return decodeAs(QStringConverter::Utf16LE, bytes.sliced(2));
    if (startsWith(bytes, kUtf16BeMark))
        return decodeAs(QStringConverter::Utf16BE, bytes.sliced(2));
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
    if (!ascii) {
        bool valid = false;
        QString text = decodeAs(QStringConverter::Utf8, bytes, &valid);
        if (valid)
            return text;
    }
    return Windows1252::decode(bytes);
}
