#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every text in the logger's files is Windows-1252, whatever the platform.
// The five bytes the code page leaves undefined map to the C1 controls of the same value,
// so every byte survives a round trip.
namespace Windows1252 {

QString decode(QByteArrayView bytes);
// One byte per character; a character the code page cannot hold becomes '?' (a surrogate
// pair gives one '?').
QByteArray encode(QStringView text);
// As encode(), into `out`, which takes text.size() bytes; answers how many it wrote.
qsizetype encodeInto(QStringView text, char* out);
char encodeCodePoint(char32_t codePoint);
char32_t decodeByte(unsigned char byte);
// Whether the text holds a character that encode() would write as '?'.
bool hasUnencodable(QStringView text);

} // namespace Windows1252
