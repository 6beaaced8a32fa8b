#pragma once

#include "common/Windows1252.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QtEndian>

// Reads the fields of a Corvane file from the file, field by field, so that only the fields
// asked for are read, however large the file. Never reads past the end: a field that the file
// cuts off reads as empty, false or zero.
class CorvaneReader
{
public:
    explicit CorvaneReader(QFileDevice& device) : device_(device) {}

    // Whether a read of the device failed (not its end: that is no failure).
    bool failed() const { return failed_; }
    void skip(qint64 count) { failed_ = failed_ || device_.skip(count) < 0; }

    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qint64 count)
    {
        QByteArray block = device_.read(count);
        failed_ = failed_ || device_.error() != QFileDevice::NoError;
        block.resize(count, '\0');
        return block;
    }
    qint16 readInt16()
    {
        char bytes[2] = {};
        failed_ = failed_ || device_.read(bytes, 2) < 0;
        return qFromLittleEndian<qint16>(bytes);
    }
    bool readBoolean() { return readInt16() != 0; }
    // A 16-bit byte count, then that many Windows-1252 bytes, of which the part the file holds
    // and at most `kept` are kept.
    QString readText(qint64 kept = 0xFFFF)
    {
        const qint64 count = quint16(readInt16());
        const QByteArray bytes = device_.read(std::min(count, kept));
        if (count > kept)
            skip(count - kept);
        failed_ = failed_ || device_.error() != QFileDevice::NoError;
        return Windows1252::decode(bytes);
    }

private:
    QFileDevice& device_;
    bool failed_ = false;
};
