#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Corvane site folders built by hand from the byte layouts, for the window tests.
namespace CorvaneSite {

inline QByteArray textField(const QByteArray& text)
{
    const auto size = quint16(text.size());
    return QByteArray(1, char(size & 0xFF)) + char(size >> 8) + text;
}

// SiteInfo.cfg: the 21-byte header, then eleven texts and four data blocks in file order.
inline QByteArray siteInfoBytes(const QByteArray& siteName)
{
    QByteArray bytes = "K7V2.0 Site Info file";
    bytes += textField(siteName);
    bytes += textField("C:\\Corvane\\stored\\elsewhere");
    bytes += textField("text 3") + textField("text 4") + textField("text 5");
    bytes += QByteArray(6, '\x06');
    bytes += textField("text 7") + textField("text 8");
    bytes += QByteArray(8, '\x09');
    bytes += textField("text 10") + textField("text 11");
    bytes += QByteArray(8, '\x0C');
    bytes += textField("text 13");
    bytes += QByteArray(16, '\x0E');
    bytes += textField("text 15");
    return bytes;
}

// A site directory `directory` below `config`, its SiteInfo.cfg naming it `siteName`.
inline QString addSite(const QString& config, const QString& directory, const QByteArray& siteName)
{
    const QString siteDir = config + "/" + directory;
    QDir().mkpath(siteDir);
    QFile file(siteDir + "/SiteInfo.cfg");
    if (file.open(QIODevice::WriteOnly))
        file.write(siteInfoBytes(siteName));
    return siteDir;
}

// A DChannel.cfg of one allocation in siteDir: "TPR 1" on a back contact.
inline void writeOneAllocation(const QString& siteDir)
{
    QFile file(siteDir + QDir::separator() + "DChannel.cfg");
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray("K7V2.0 DChannels\x01\x00\x05\x00TPR 1\0\0\0\0\xFF\xFF\0\0", 33));
}

} // namespace CorvaneSite
