#pragma once

#include "common/Dialogs.h"
#include "common/FileResult.h"
#include "document/ChannelRow.h"
#include "document/CsvFile.h"
#include "document/SiteRead.h"
#include "document/SiteState.h"

#include <QString>

// What a reader gets: the path, the open site's rows (a CSV list is read into them) and how to
// ask the CSV questions.
struct ReadRequest
{
    QString path;
    ChannelRows rows;
    CsvQuestion ask;
};

// A file format the site is read from and written to, with what the commands do differently
// for it.
struct SiteFormat
{
    // Its entry of a file dialog's filter: "ZR415 dip files (*.dip)|*.dip".
    QString filter;
    // nullptr for a format that is only written (the site record).
    SiteRead (*read)(const ReadRequest& request);
    // The site's name and file head the site record; the other formats hold the rows alone.
    FileResult (*write)(const ChannelRows& rows, const SiteState& site, const QString& target);
    // What the writer writes to for a chosen path: the path, or for a Corvane file the
    // directory that gets DChannel.cfg.
    QString (*target)(const QString& path);
    // The box of a read that failed with the system's description; nullptr when never read.
    MessageRequest (*readFailure)(const QString& path, const QString& description);
    MessageRequest (*writeFailure)(const QString& path, const QString& description);
    // The site's own name as the file holds it; nullptr when the file's name names the site.
    QString (*ownName)(const QString& path);
    // Opened or saved, it becomes the site's file, which Save writes again.
    bool becomesSiteFile;
    // Opened or saved, it is a file the user may open again (the recent files).
    bool reopens;
    // It holds the state texts; a list and a Corvane site hold none.
    bool holdsStateTexts;
    // It holds relay names of at most 16 characters, longer ones cut.
    bool cutsNames;
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
const SiteFormat& csv();
const SiteFormat& corvane();
const SiteFormat& siteRecord();

// The file dialog filters of the formats Open, Save As and a comparison take.
QString openFilter();
QString saveFilter();
QString inputFilter();

// Shows what a read said: its notices in their order, then the box of its failure, unless the
// notices already said why it failed.
void showRead(const SiteFormat& format, const SiteRead& read);
// The box of a failed write.
MessageRequest writeFailure(const SiteFormat& format, const FileResult& result);

// Asks a CSV question as the editor does: titled "ZR415Config", OK and Cancel.
bool AskCsvQuestion(const QString& question);

QString UnknownFileTypeText();

} // namespace SiteFormats
