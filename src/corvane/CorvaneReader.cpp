#include "CorvaneReader.h"

#include "common/Windows1252.h"

void CorvaneReader::skip(qsizetype count)
{
    position_ = std::min(bytes_.size(), position_ + count);
}

QByteArray CorvaneReader::readBlock(qsizetype count)
{
    const qsizetype available = std::min(count, bytes_.size() - position_);
    QByteArray block = bytes_.mid(position_, available);
    block.resize(count, '\0');
    position_ += available;
    return block;
}

qint16 CorvaneReader::readInt16()
{
    const QByteArray block = readBlock(2);
    return qint16(quint16(quint8(block[0])) | quint16(quint8(block[1])) << 8);
}

bool CorvaneReader::readBoolean()
{
    return readInt16() != 0;
}

QString CorvaneReader::readText()
{
    const qsizetype count = quint16(readInt16());
    const qsizetype available = std::min(count, bytes_.size() - position_);
    const QString text =
        Windows1252::decode(QByteArrayView(bytes_.constData() + position_, available));
    position_ += available;
    return text;
}
