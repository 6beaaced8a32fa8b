#pragma once

#include <QByteArray>
#include <QByteArrayView>

// SHA-256 of bytes in memory, a block at a time. Qt's own takes the message a byte at a time,
// which costs more than the rest of the status bar's update at 3072 channels.
namespace Sha256 {

// The 32 bytes of the digest.
QByteArray hash(QByteArrayView bytes);

} // namespace Sha256
