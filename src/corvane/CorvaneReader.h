#pragma once

#include <QByteArray>
#include <QString>

// Reads the fields of a Corvane file from its bytes. Never reads past the end: a field that
// the file cuts off reads as empty, false or zero.
class CorvaneReader
{
public:
    explicit CorvaneReader(QByteArray bytes) : bytes_(std::move(bytes)) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    void skip(qsizetype count);
    // Exactly `count` bytes, zero-filled where the file ends.
    QByteArray readBlock(qsizetype count);
    qint16 readInt16();
    bool readBoolean();
    // A 16-bit byte count, then that many Windows-1252 bytes.
    QString readText();

private:
    QByteArray bytes_;
    qsizetype position_ = 0;
};
