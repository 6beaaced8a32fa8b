#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QList>

// A channel file built from its layout: the 16-byte header, then 40 bytes a channel (the
// name, the contact, the state texts).
struct DipChannel
{
    QByteArray name;
    bool back = false;
    QByteArray up = "UP";
    QByteArray down = "DN";
};

inline QByteArray dipBytes(const QList<DipChannel>& channels)
{
    QByteArray bytes;
    QDataStream header(&bytes, QIODevice::WriteOnly);
    header.setByteOrder(QDataStream::LittleEndian);
    header << quint32(0xFFC0FFEE) << qint16(3) << qint16(3) << qint32(channels.size())
           << quint32(0);
    for (const DipChannel& channel : channels) {
        QByteArray field(40, '\0');
        field.replace(0, 16, channel.name.leftJustified(16, ' ', true));
        field[17] = channel.back ? 1 : 0;
        field[18] = 1;
        field.replace(19, 3, channel.up.leftJustified(3, ' ', true));
        field.replace(23, 3, channel.down.leftJustified(3, ' ', true));
        bytes += field;
    }
    return bytes;
}
