#pragma once

#include "document/ChannelRow.h"

#include <QByteArray>
#include <QString>

// A channel file's identity, printed on the signed record: a card holds the checked data
// exactly when its file has the fingerprint on the record.
namespace Fingerprint {

// "3F2A-91C0-77B1-0E4D": the first 16 hexadecimal digits of the SHA-256 of the bytes, upper
// case, in four groups of four.
QString ofBytes(const QByteArray& bytes);
// The whole SHA-256, as sha256sum prints it.
QString fullOfBytes(const QByteArray& bytes);
// Of the channel file Save writes for the rows.
QString ofSite(const ChannelRows& rows);
// The grouped form of a whole SHA-256 given in hexadecimal.
QString shortened(const QString& full);

// The whole SHA-256 of a regular file's bytes as they are, or empty with `error` set.
QString fullOfFile(const QString& path, QString& error);
// The whole SHA-256 of a program's file, or why it could not be read: what an engineer records
// to show which build of a tool was used.
QString ofProgram(const QString& path);

} // namespace Fingerprint
