#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class ChannelTableModel;

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
    void appendTo(QByteArray& out) const;
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

// Writes the whole table. On failure shows "Error occurred while saving." with the system's
// description, leaves any earlier file untouched and answers false.
bool SaveDipFile(const ChannelTableModel& table, const QString& path);

// Replaces the table with the file's channels, with every check and count message. Answers
// false after any reported failure: the file unreadable, too short, a header mismatch, or a
// channel count of 0 or less.
bool LoadDipFile(ChannelTableModel& table, const QString& path);

// Reports the first mismatch of flag, file type and version; true when all match.
bool CheckDipHeader(const DipHeader& header);

// The file's bytes for the table, as SaveDipFile writes them.
QByteArray EncodeDipFile(const ChannelTableModel& table);
