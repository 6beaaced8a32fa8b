#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QString>

// Corvane site folders built by hand from the byte layouts, for the site selector tests.
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

// A site directory `directory` below `config`, its SiteInfo.cfg naming it `siteName`.
inline QString addSite(const QString& config, const QString& directory, const QByteArray& siteName)
{
    writeFile(config + "/" + directory + "/SiteInfo.cfg", siteInfoBytes(siteName));
    return config + "/" + directory;
}

} // namespace CorvaneSite
