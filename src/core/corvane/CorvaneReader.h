#pragma once

#include "common/Windows1252.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <algorithm>

// Reads the fields of a Corvane file from its bytes, which must outlive it. Never reads past
// the end: a field that the file cuts off reads as empty, false or zero.
class CorvaneReader
{
public:
    explicit CorvaneReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    void skip(qsizetype count) { position_ = std::min(bytes_.size(), position_ + count); }

    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qsizetype count)
    {
        QByteArray block = take(count).toByteArray();
        block.resize(count, '\0');
        return block;
    }
    qint16 readInt16()
    {
        const QByteArray bytes = readBlock(2);
        return qFromLittleEndian<qint16>(bytes.constData());
    }
    bool readBoolean() { return readInt16() != 0; }
    // A 16-bit byte count, then that many Windows-1252 bytes, of which the part the file holds.
    QString readText() { return Windows1252::decode(take(quint16(readInt16()))); }

private:
    QByteArrayView take(qsizetype count)
    {
        const qsizetype available = std::min(count, bytes_.size() - position_);
        const QByteArrayView part = bytes_.sliced(position_, available);
        position_ += available;
        return part;
    }

    QByteArrayView bytes_;
    qsizetype position_ = 0;
};
