#pragma once

#include "common/Dialogs.h"
#include "common/FileResult.h"
#include "document/ChannelRow.h"
#include "document/CsvFile.h"
#include "document/SiteRead.h"
#include "document/SiteState.h"

#include <QString>

#include <optional>

// What a reader gets: the path, the open site's rows (a CSV list is read into them) and how to
// ask the CSV questions.
struct ReadRequest
{
    QString path;
    ChannelRows rows;
    CsvQuestion ask;
};

// A file format the site is read from and written to.
struct SiteFormat
{
    enum class Id { Dip, Csv, Corvane, SiteRecord };

    Id id;
    // nullptr for a format that is only written (the site record).
    SiteRead (*read)(const ReadRequest& request);
    // For a Corvane file the target is the directory that gets DChannel.cfg. The site's name
    // and file head the site record; the other formats hold the rows alone.
    FileResult (*write)(const ChannelRows& rows, const SiteState& site, const QString& target);
};

// The one place that maps a file name to its format. Endings are compared without regard to
// letter case.
namespace SiteFormats {

// Open: a .dip channel file or a .csv list. nullptr for any other name.
const SiteFormat* forOpening(const QString& path);
// Save As: .dip, .csv, or .cfg (a DChannel.cfg written into that name's directory).
const SiteFormat* forSaving(const QString& path);
// zr415-convert's INPUT: also a Corvane site, as its directory or its DChannel.cfg.
const SiteFormat* forInput(const QString& path);
// zr415-convert's OUTPUT: also an existing directory, which gets a DChannel.cfg, and a .pdf,
// which gets the printed site record.
const SiteFormat* forOutput(const QString& path);
const SiteFormat& dip();
const SiteFormat& corvane();
const SiteFormat& siteRecord();

// What the writer writes to for a chosen path: the path itself, or for a Corvane file the
// directory it names (the directory itself, or the path up to its last separator).
QString writeTarget(const SiteFormat& format, const QString& path);

// The box of a failed read; none when the read's notices already say what failed.
std::optional<MessageRequest> readFailure(const SiteFormat& format, const SiteRead& read);
// The box of a failed write.
MessageRequest writeFailure(const SiteFormat& format, const FileResult& result);

// Asks a CSV question as the editor does: titled "ZR415Config", OK and Cancel.
bool AskCsvQuestion(const QString& question);

QString UnknownFileTypeText();

} // namespace SiteFormats
