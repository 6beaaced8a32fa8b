#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every text in the logger's files is Windows-1252, whatever the platform.
// The five bytes the code page leaves undefined map to the C1 controls of the same value,
// so every byte survives a round trip.
class Windows1252
{
public:
    static QString decode(QByteArrayView bytes);
    // Replaces text by the decoded bytes, written over its old characters when no other
    // string shares them and they have room, so that refilling a table allocates nothing.
    static void decodeInto(QByteArrayView bytes, QString& text);
    // One byte per character; a character the code page cannot hold becomes '?'.
    static QByteArray encode(QStringView text);
    // Encodes into out, which has room for text.size() bytes; answers the bytes written (a
    // surrogate pair gives one '?').
    static qsizetype encodeTo(QStringView text, char* out);
    static char encodeCodePoint(char32_t codePoint);
    static char32_t decodeByte(unsigned char byte);
    // Decodes into out, which has room for bytes.size() characters.
    static void decodeTo(QByteArrayView bytes, char16_t* out);
};
