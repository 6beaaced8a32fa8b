#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

// What a checker reads off sha256sum: its first 16 digits, upper case, in groups of four.
inline QString fingerprintOf(const QByteArray& bytes)
{
    const QString hex = QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toUpper().left(16));
    return hex.mid(0, 4) + '-' + hex.mid(4, 4) + '-' + hex.mid(8, 4) + '-' + hex.mid(12, 4);
}
