#include "SiteFormats.h"

#include "common/ShowMessage.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/DipFile.h"
#include "document/SitePaths.h"

#include <QFileInfo>

using ModFunc::FailureText;

namespace SiteFormats {

namespace {

SiteRead readDip(const ReadRequest& request)
{
    return LoadDipFile(request.path);
}

SiteRead readCsv(const ReadRequest& request)
{
    return LoadCsvFile(request.path, request.rows, request.ask);
}

// A site directory, or the DChannel.cfg in it.
SiteRead readCorvane(const ReadRequest& request)
{
    const QFileInfo info(request.path);
    return ImportCorvaneSite(info.isDir() ? request.path : info.path());
}

const SiteFormat kDip{SiteFormat::Id::Dip, readDip, SaveDipFile};
const SiteFormat kCsv{SiteFormat::Id::Csv, readCsv, SaveCsvFile};
const SiteFormat kCorvane{SiteFormat::Id::Corvane, readCorvane, SaveCorvaneChannelFile};

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
