#pragma once

#include "ChannelRow.h"
#include "SiteRead.h"
#include "common/FileResult.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The logger's channel file: a 16-byte header, then one 40-byte record per channel.
struct DipHeader
{
    static constexpr std::uint32_t kFlag = 0xFFC0FFEE;
    static constexpr std::int16_t kFileType = 3;
    static constexpr std::int16_t kVersion = 3;
    static constexpr int kSize = 16;

    std::uint32_t flag = kFlag;
    std::int16_t fileType = kFileType;
    std::int16_t version = kVersion;
    std::int32_t channelCount = 0;
    std::uint32_t reserved = 0;

    static DipHeader fromBytes(const char* bytes);
};

struct DipChannelRecord
{
    static constexpr int kSize = 40;
    static constexpr int kNameWidth = 16;
    static constexpr int kStateWidth = 3;
    static constexpr int kNameOffset = 0;
    static constexpr int kBackOffset = 17;
    static constexpr int kOneOffset = 18;
    static constexpr int kStateUpOffset = 19;
    static constexpr int kStateDownOffset = 23;
};

// The notice for the first mismatch of flag, file type and version; empty when all match.
QString CheckDipHeader(const DipHeader& header);

// Reads a channel file with every check and count notice. Fails when the file cannot be read,
// is too short, fails the header check or counts 0 channels or fewer; the notices say which.
SiteRead LoadDipFile(const QString& path);

// The file's bytes for the rows.
QByteArray EncodeDipFile(const ChannelRows& rows);
// Writes the rows atomically; on failure the earlier file stays as it was.
FileResult SaveDipFile(const ChannelRows& rows, const QString& path);
