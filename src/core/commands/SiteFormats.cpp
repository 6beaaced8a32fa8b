#include "SiteFormats.h"

#include "common/ShowMessage.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/DipFile.h"
#include "document/SitePaths.h"
#include "print/PagePrinting.h"
#include "print/SiteRecordDocument.h"

#include <QFileInfo>

#include <new>
#include <type_traits>

using ModFunc::FailureText;

namespace SiteFormats {

namespace {

// Out of memory is a failed read or write with a message, never the end of the program.
template <typename Result, typename Step>
Result unlessOutOfMemory(const QString& path, Step step)
{
    try {
        return step();
    } catch (const std::bad_alloc&) {
        const QString description = QStringLiteral("Out of memory");
        if constexpr (std::is_same_v<Result, SiteRead>)
            return SiteRead::failed(path, description);
        else
            return FileResult::failure(description);
    }
}

SiteRead readDip(const ReadRequest& request)
{
    return unlessOutOfMemory<SiteRead>(request.path, [&] { return LoadDipFile(request.path); });
}

SiteRead readCsv(const ReadRequest& request)
{
    return unlessOutOfMemory<SiteRead>(
        request.path, [&] { return LoadCsvFile(request.path, request.rows, request.ask); });
}

// A site directory, or the DChannel.cfg in it.
SiteRead readCorvane(const ReadRequest& request)
{
    const QFileInfo info(request.path);
    const QString directory = info.isDir() ? request.path : info.path();
    return unlessOutOfMemory<SiteRead>(request.path, [&] { return ImportCorvaneSite(directory); });
}

template <FileResult (*write)(const ChannelRows&, const QString&)>
FileResult writeGuarded(const ChannelRows& rows, const SiteState&, const QString& target)
{
    return unlessOutOfMemory<FileResult>(target, [&] { return write(rows, target); });
}

// Dated the day it is written; nothing cancels it, so there is always a result.
FileResult writeSiteRecord(const ChannelRows& rows, const SiteState& site, const QString& target)
{
    return unlessOutOfMemory<FileResult>(target, [&] {
        SiteRecordDocument record(PrintedSite::of(rows, site.siteName, site.siteFileTitle));
        return WritePdf(record, target).value_or(FileResult::failure(QString()));
    });
}

QString samePath(const QString& path)
{
    return path;
}

// A Corvane file is written as the DChannel.cfg of the directory named: the directory itself,
// or the path up to its last separator.
QString corvaneDirectory(const QString& path)
{
    return QFileInfo(path).isDir() ? path : SitePaths::DirectoryOf(path);
}

MessageRequest editorBox(const QString& text)
{
    return {text, EditorTitle(), MessageIcon::Information, MessageButtons::Ok};
}

MessageRequest openFailure(const QString&, const QString& description)
{
    return editorBox(FailureText(QStringLiteral("Error occurred while opening."), description));
}

MessageRequest loadFailure(const QString&, const QString& description)
{
    return editorBox(FailureText(QStringLiteral("Error occurred while loading."), description));
}

MessageRequest saveFailure(const QString&, const QString& description)
{
    return editorBox(FailureText(QStringLiteral("Error occurred while saving."), description));
}

// The SiteInfo.cfg's name of the site in that directory, or of the DChannel.cfg's directory.
QString corvaneSiteName(const QString& path)
{
    const QFileInfo info(path);
    const ModCrvFile::SiteInfoRead siteInfo =
        ModCrvFile::LoadSiteInfo(info.isDir() ? path : info.path());
    return siteInfo.found ? siteInfo.record.SiteName : QString();
}

const SiteFormat kDip{.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip"),
                      .read = readDip,
                      .write = writeGuarded<SaveDipFile>,
                      .target = samePath,
                      .readFailure = openFailure,
                      .writeFailure = saveFailure,
                      .ownName = nullptr,
                      .becomesSiteFile = true,
                      .reopens = true,
                      .holdsStateTexts = true,
                      .cutsNames = true};
const SiteFormat kCsv{.filter = QStringLiteral("CSV files (*.csv)|*.csv"),
                      .read = readCsv,
                      .write = writeGuarded<SaveCsvFile>,
                      .target = samePath,
                      .readFailure = loadFailure,
                      .writeFailure = saveFailure,
                      .ownName = nullptr,
                      .becomesSiteFile = false,
                      .reopens = true,
                      .holdsStateTexts = false,
                      .cutsNames = true};
const SiteFormat kCorvane{.filter = QStringLiteral("Corvane cfg files (*.cfg)|*.cfg"),
                          .read = readCorvane,
                          .write = writeGuarded<SaveCorvaneChannelFile>,
                          .target = corvaneDirectory,
                          .readFailure = ModCrvFile::LoadChannelsFailure,
                          .writeFailure = ModCrvFile::SaveChannelsFailure,
                          .ownName = corvaneSiteName,
                          .becomesSiteFile = false,
                          .reopens = false,
                          .holdsStateTexts = false,
                          .cutsNames = true};
// The printed record shows every text whole.
const SiteFormat kSiteRecord{.filter = QStringLiteral("PDF files (*.pdf)|*.pdf"),
                             .read = nullptr,
                             .write = writeSiteRecord,
                             .target = samePath,
                             .readFailure = nullptr,
                             .writeFailure = saveFailure,
                             .ownName = nullptr,
                             .becomesSiteFile = false,
                             .reopens = false,
                             .holdsStateTexts = true,
                             .cutsNames = false};

// The last three characters decide, in any letter case; a name of four or fewer is none.
const SiteFormat* byEnding(const QString& path, bool cfg)
{
    if (path.size() <= 4)
        return nullptr;
    const QString ending = path.right(3).toLower();
    if (ending == QLatin1String("dip"))
        return &kDip;
    if (ending == QLatin1String("csv"))
        return &kCsv;
    if (cfg && ending == QLatin1String("cfg"))
        return &kCorvane;
    return nullptr;
}

QString joinedFilters(std::initializer_list<const SiteFormat*> formats)
{
    QStringList filters;
    for (const SiteFormat* format : formats)
        filters.append(format->filter);
    return filters.join(u'|');
}

} // namespace

const SiteFormat* forOpening(const QString& path)
{
    return byEnding(path, false);
}

const SiteFormat* forSaving(const QString& path)
{
    return byEnding(path, true);
}

const SiteFormat* forInput(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() ||
        info.fileName().compare(QLatin1String("DChannel.cfg"), Qt::CaseInsensitive) == 0)
        return &kCorvane;
    return forOpening(path);
}

const SiteFormat* forOutput(const QString& path)
{
    if (QFileInfo(path).isDir())
        return &kCorvane;
    if (path.size() > 4 && path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return &kSiteRecord;
    return forSaving(path);
}

const SiteFormat& dip()
{
    return kDip;
}

const SiteFormat& csv()
{
    return kCsv;
}

const SiteFormat& corvane()
{
    return kCorvane;
}

const SiteFormat& siteRecord()
{
    return kSiteRecord;
}

QString openFilter()
{
    return joinedFilters({&kDip, &kCsv});
}

QString saveFilter()
{
    return joinedFilters({&kDip, &kCsv, &kCorvane});
}

QString inputFilter()
{
    return saveFilter();
}

void showRead(const SiteFormat& format, const SiteRead& read)
{
    for (const QString& notice : read.notices)
        ModFunc::ShowMessage(notice);
    if (read.outcome == SiteRead::Outcome::Failed && !read.failure.isEmpty() && format.readFailure)
        Dialogs::current().showMessage(format.readFailure(read.path, read.failure));
}

MessageRequest writeFailure(const SiteFormat& format, const FileResult& result)
{
    return format.writeFailure(result.path, result.error);
}

bool AskCsvQuestion(const QString& question)
{
    return AskUser(question, ApplicationTitle(), MessageIcon::Question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

QString UnknownFileTypeText()
{
    return QStringLiteral("Unknown file type - use a .dip, .csv or .cfg file name.");
}

} // namespace SiteFormats
