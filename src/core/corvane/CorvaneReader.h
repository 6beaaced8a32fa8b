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
    explicit CorvaneReader(QByteArrayView bytes) : data_(bytes.data()), size_(bytes.size()) {}

    bool atEnd() const { return position_ >= size_; }
    QByteArrayView rest() const { return {data_ + position_, size_ - position_}; }
    void skip(qsizetype count) { position_ = std::min(size_, position_ + count); }
    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qsizetype count);
    // Inline, and read in place: a channel record is five fields.
    qint16 readInt16()
    {
        if (size_ - position_ >= 2) {
            const auto value = qFromLittleEndian<qint16>(data_ + position_);
            position_ += 2;
            return value;
        }
        const qint16 value = position_ < size_ ? quint8(data_[position_]) : 0;
        position_ = size_;
        return value;
    }
    bool readBoolean() { return readInt16() != 0; }
    // A 16-bit byte count, then that many Windows-1252 bytes, of which the part the file holds.
    QByteArrayView readTextBytes()
    {
        const qsizetype count = quint16(readInt16());
        const qsizetype at = position_;
        // A branch the processor predicts, rather than a clamp that each next field waits on.
        if (count <= size_ - at) [[likely]] {
            position_ += count;
            return {data_ + at, count};
        }
        position_ = size_;
        return {data_ + at, size_ - at};
    }
    QString readText() { return Windows1252::decode(readTextBytes()); }

private:
    const char* data_;
    qsizetype size_;
    qsizetype position_ = 0;
};
