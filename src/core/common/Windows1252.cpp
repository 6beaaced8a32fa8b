#include "Windows1252.h"

#include "ReusedText.h"

#include <array>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define ZR415_WINDOWS1252_SSE2
#endif

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A byte from 0x80 to 0x9F.
bool isControlByte(unsigned char byte)
{
    return (byte & 0xE0) == 0x80;
}

} // namespace

char32_t Windows1252::decodeByte(unsigned char byte)
{
    if (isControlByte(byte))
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

QString Windows1252::decode(QByteArrayView bytes)
{
    // An empty text needs no storage of its own, yet is not null.
    if (bytes.isEmpty())
        return QString::fromLatin1("", 0);
    QString text(bytes.size(), Qt::Uninitialized);
    decodeTo(bytes, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

void Windows1252::decodeInto(QByteArrayView bytes, QString& text)
{
    if (bytes.isEmpty())
        text = decode(bytes);
    else
        decodeTo(bytes, ReusedText::resizedForWriting(text, bytes.size()));
}

void Windows1252::decodeTo(QByteArrayView bytes, char16_t* out)
{
    // Widened as Latin-1; only bytes holding one of the code page's own characters at
    // 0x80..0x9F, rare in names, are gone over again.
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    bool controls = false;
#ifdef ZR415_WINDOWS1252_SSE2
    // Sixteen bytes a step: the compiler does not widen a byte loop this way by itself.
    const __m128i zero = _mm_setzero_si128();
    const __m128i topBits = _mm_set1_epi8(char(0xE0));
    const __m128i controlBits = _mm_set1_epi8(char(0x80));
    __m128i seen = zero;
    const auto widen = [&](__m128i bytes16, qsizetype at, bool both) {
        seen = _mm_or_si128(seen, _mm_cmpeq_epi8(_mm_and_si128(bytes16, topBits), controlBits));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_unpacklo_epi8(bytes16, zero));
        if (both)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + 8),
                             _mm_unpackhi_epi8(bytes16, zero));
    };
    for (; i + 16 <= size; i += 16)
        widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), i, true);
    if (i + 8 <= size) {
        // The upper half is zero, which is no control byte.
        widen(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + i)), i, false);
        i += 8;
    }
    controls = _mm_movemask_epi8(seen) != 0;
#endif
    for (; i < size; ++i) {
        out[i] = in[i];
        controls |= isControlByte(in[i]);
    }
    if (!controls)
        return;
    for (i = 0; i < size; ++i) {
        if (isControlByte(in[i]))
            out[i] = kHighControls[in[i] - 0x80];
    }
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
