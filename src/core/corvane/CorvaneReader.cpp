#include "CorvaneReader.h"

QByteArray CorvaneReader::readBlock(qsizetype count)
{
    const qsizetype available = std::min(count, size_ - position_);
    QByteArray block(data_ + position_, available);
    block.resize(count, '\0');
    position_ += available;
    return block;
}
