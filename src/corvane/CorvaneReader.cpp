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
    // Read in place: a block per number would cost two allocations for two bytes.
    const qsizetype size = bytes_.size();
    const char* data = bytes_.constData();
    const auto byteAt = [&](qsizetype i) { return i < size ? quint16(quint8(data[i])) : 0; };
    const auto value = qint16(byteAt(position_) | byteAt(position_ + 1) << 8);
    position_ = std::min(size, position_ + 2);
    return value;
}

bool CorvaneReader::readBoolean()
{
    return readInt16() != 0;
}

QString CorvaneReader::readText()
{
    const qsizetype count = quint16(readInt16());
    const qsizetype available = std::min(count, bytes_.size() - position_);
    QString text = Windows1252::decode(QByteArrayView(bytes_.constData() + position_, available));
    position_ += available;
    return text;
}
