#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QDataStream>
#include <QList>
#include <QString>

#include <utility>

// Corvane site folders built by hand from the byte layouts, for the window tests.
namespace CorvaneSite {

inline QByteArray textField(const QByteArray& text)
{
    const auto size = quint16(text.size());
    return QByteArray(1, char(size & 0xFF)) + char(size >> 8) + text;
}

// SiteInfo.cfg: the header, then eleven texts and four data blocks in file order.
inline QByteArray siteInfoBytes(const QByteArray& siteName,
                                const QByteArray& header = "K7V2.0 Site Info file")
{
    return header + textField(siteName) + textField("C:\\Corvane\\stored\\elsewhere") +
           textField("text 3") + textField("text 4") + textField("text 5") + QByteArray(6, '\x06') +
           textField("text 7") + textField("text 8") + QByteArray(8, '\x09') +
           textField("text 10") + textField("text 11") + QByteArray(8, '\x0C') +
           textField("text 13") + QByteArray(16, '\x0E') + textField("text 15");
}

// DChannel.cfg: the header and count, then per channel the name, two empty texts, the contact
// (-1 back) and a zero.
inline QByteArray allocationBytes(const QList<std::pair<QByteArray, bool>>& channels)
{
    QByteArray bytes = "K7V2.0 DChannels";
    QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint16(channels.size());
    for (const auto& [name, back] : channels) {
        out << quint16(name.size());
        out.writeRawData(name.constData(), int(name.size()));
        out << quint16(0) << quint16(0) << qint16(back ? -1 : 0) << quint16(0);
    }
    return bytes;
}

// A site directory `directory` below `config`, its SiteInfo.cfg naming it `siteName`.
inline QString addSite(const QString& config, const QString& directory, const QByteArray& siteName)
{
    writeFile(config + "/" + directory + "/SiteInfo.cfg", siteInfoBytes(siteName));
    return config + "/" + directory;
}

// A DChannel.cfg of one allocation in siteDir: "TPR 1" on a back contact.
inline void writeOneAllocation(const QString& siteDir)
{
    writeFile(siteDir + QDir::separator() + "DChannel.cfg", allocationBytes({{"TPR 1", true}}));
}

} // namespace CorvaneSite
