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

const SiteFormat kDip{SiteFormat::Id::Dip, readDip, writeGuarded<SaveDipFile>};
const SiteFormat kCsv{SiteFormat::Id::Csv, readCsv, writeGuarded<SaveCsvFile>};
const SiteFormat kCorvane{SiteFormat::Id::Corvane, readCorvane,
                          writeGuarded<SaveCorvaneChannelFile>};
const SiteFormat kSiteRecord{SiteFormat::Id::SiteRecord, nullptr, writeSiteRecord};

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

MessageRequest editorBox(const QString& text)
{
    return {text, EditorTitle(), MessageIcon::Information, MessageButtons::Ok};
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

const SiteFormat& corvane()
{
    return kCorvane;
}

const SiteFormat& siteRecord()
{
    return kSiteRecord;
}

QString writeTarget(const SiteFormat& format, const QString& path)
{
    if (format.id != SiteFormat::Id::Corvane || QFileInfo(path).isDir())
        return path;
    return SitePaths::DirectoryOf(path);
}

std::optional<MessageRequest> readFailure(const SiteFormat& format, const SiteRead& read)
{
    if (read.outcome != SiteRead::Outcome::Failed || read.failure.isEmpty())
        return std::nullopt;
    switch (format.id) {
    case SiteFormat::Id::Dip:
        return editorBox(
            FailureText(QStringLiteral("Error occurred while opening."), read.failure));
    case SiteFormat::Id::Csv:
        return editorBox(
            FailureText(QStringLiteral("Error occurred while loading."), read.failure));
    case SiteFormat::Id::SiteRecord:
        return std::nullopt;
    case SiteFormat::Id::Corvane:
        break;
    }
    return ModCrvFile::LoadChannelsFailure(read.path, read.failure);
}

MessageRequest writeFailure(const SiteFormat& format, const FileResult& result)
{
    if (format.id == SiteFormat::Id::Corvane)
        return ModCrvFile::SaveChannelsFailure(result.path, result.error);
    return editorBox(FailureText(QStringLiteral("Error occurred while saving."), result.error));
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
