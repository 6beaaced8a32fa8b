#pragma once

#include "common/FileReader.h"
#include "common/Windows1252.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

// Reads the fields of a Corvane file from the file, field by field, so that only the fields
// asked for are read, however large the file. Never reads past the end: a field that the file
// cuts off reads as empty, false or zero.
class CorvaneReader
{
public:
    explicit CorvaneReader(FileReader& file) : file_(file) {}

    // Whether the file could not be opened or a read failed (not its end: that is no failure).
    bool failed() const { return file_.failed(); }
    void skip(qint64 count) { file_.skip(count); }

    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qint64 count)
    {
        QByteArray block = file_.read(count);
        block.resize(count, '\0');
        return block;
    }
    qint16 readInt16() { return qFromLittleEndian<qint16>(readBlock(2).constData()); }
    bool readBoolean() { return readInt16() != 0; }
    // A 16-bit byte count, then that many Windows-1252 bytes, of which the part the file holds
    // and at most `kept` are kept.
    QString readText(qint64 kept = 0xFFFF)
    {
        const qint64 count = quint16(readInt16());
        const QByteArray bytes = file_.read(std::min(count, kept));
        if (count > kept)
            skip(count - kept);
        return Windows1252::decode(bytes);
    }

private:
    FileReader& file_;
};
