#pragma once

#include "common/Windows1252.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

// Reads the fields of a Corvane file from its bytes. Never reads past the end: a field that
// the file cuts off reads as empty, false or zero.
class CorvaneReader
{
public:
    explicit CorvaneReader(QByteArray bytes)
        : bytes_(std::move(bytes)), data_(bytes_.constData()), size_(bytes_.size())
    {}

    bool atEnd() const { return position_ >= size_; }
    void skip(qsizetype count) { position_ = std::min(size_, position_ + count); }
    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qsizetype count);
    // Inline, and read in place: a channel record is five fields.
    qint16 readInt16()
    {
        if (size_ - position_ >= 2) {
            const auto value = qint16(quint8(data_[position_]) | quint8(data_[position_ + 1]) << 8);
            position_ += 2;
            return value;
        }
        const qint16 value = position_ < size_ ? quint8(data_[position_]) : 0;
        position_ = size_;
        return value;
    }
    bool readBoolean() { return readInt16() != 0; }
    // A 16-bit byte count, then that many Windows-1252 bytes.
    QString readText()
    {
        const qsizetype count = quint16(readInt16());
        const qsizetype available = std::min(count, size_ - position_);
        if (available == 0)
            return empty_;
        const QByteArrayView text(data_ + position_, available);
        position_ += available;
        return Windows1252::decode(text);
    }

private:
    QByteArray bytes_;
    // Two of the three texts of a channel record are empty: made once, copied for free.
    const QString empty_ = QString::fromLatin1("", 0);
    const char* data_;
    qsizetype size_;
    qsizetype position_ = 0;
};
