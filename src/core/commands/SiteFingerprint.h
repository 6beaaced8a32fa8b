#pragma once

#include "document/ChannelRow.h"
#include "print/AlteredSite.h"

#include <QString>

// The fingerprint of a site read from a file: for a channel file, of its bytes as they are (so
// a card's file is judged by what it holds, not by what reads from it); for a list or a
// Corvane site, of the channel file it would be saved as.
namespace SiteFingerprint {

// Whether `path`'s fingerprint is of its own bytes.
bool isOfFileBytes(const QString& path);
// The whole SHA-256 in hexadecimal of a site read from `path` as `rows`; empty with `error`
// set when a channel file cannot be read again.
QString full(const QString& path, const ChannelRows& rows, QString& error);
// The grouped fingerprint, or the reason there is none.
QString shown(const QString& path, const ChannelRows& rows);
// The site read from `path` as an alteration record names it.
AlteredSite describe(const QString& path, const ChannelRows& rows, const QString& siteName);

} // namespace SiteFingerprint
