#include "Windows1252.h"

#include <array>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char32_t Windows1252::decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

char Windows1252::encodeCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

namespace {

bool holdsHighControls(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if ((static_cast<unsigned char>(byte) & 0xE0) == 0x80)
            return true;
    }
    return false;
}

} // namespace

QString Windows1252::decode(QByteArrayView bytes)
{
    // An empty text needs no storage of its own, yet is not null.
    if (bytes.isEmpty())
        return QString::fromLatin1("", 0);
    // Without bytes 0x80..0x9F the text is Latin-1, which Qt converts in bulk.
    if (!holdsHighControls(bytes))
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(static_cast<char16_t>(decodeByte(static_cast<unsigned char>(bytes[i]))));
    return text;
}

qsizetype Windows1252::encodeTo(QStringView text, char* out)
{
    char* const start = out;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate()) {
            *out++ = '?';
            ++i;
        } else {
            *out++ = encodeCodePoint(c);
        }
    }
    return out - start;
}

QByteArray Windows1252::encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(encodeTo(text, bytes.data()));
    return bytes;
}
