#pragma once

#include "document/ChannelRow.h"
#include "document/FileStamp.h"
#include "document/SiteState.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

// The whole of a modified site as a recovery copy keeps it.
struct RecoveryCopy
{
    ChannelRows rows;
    SiteState site;
    FileStamp stamp; // the site's file as it was when last opened or saved
    QDateTime saved;

    QByteArray encode() const;
    // Nothing for bytes that are no recovery copy, or a damaged one.
    static std::optional<RecoveryCopy> decode(const QByteArray& bytes);
    // Whether the bytes are a copy that a later version of the editor wrote.
    static bool isFromNewerVersion(const QByteArray& bytes);
};
