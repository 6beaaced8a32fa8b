#include "DocumentCommands.h"

#include "FileDialogSettings.h"
#include "common/Dialogs.h"
#include "common/ShowMessage.h"
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "document/SitePaths.h"

using ModFunc::FailureText;
using ModFunc::ShowMessage;
using SitePaths::SiteFileType;

DocumentCommands::DocumentCommands(ChannelTableModel& table, DirSettings& dirs, QObject* parent)
    : QObject(parent), table_(table), dirs_(dirs)
{}

void DocumentCommands::setModified(bool modified)
{
    if (site_.modified == modified)
        return;
    site_.modified = modified;
    emit modifiedChanged(modified);
}

QString DocumentCommands::caption() const
{
    if (site_.siteName.isEmpty())
        return EditorTitle();
    return site_.siteName + QStringLiteral(" - ") + EditorTitle();
}

void DocumentCommands::UpdateCaption()
{
    emit captionChanged(caption());
}

void DocumentCommands::FinishEdit()
{
    if (finishEdit_)
        finishEdit_();
}

void DocumentCommands::rememberDialogFile(const QString& path)
{
    lastDialogFileName_ = SitePaths::FileTitleOf(path);
}

bool DocumentCommands::reportUnknownFileType()
{
    ShowMessage(QStringLiteral("Unknown file type - use a .dip, .csv or .cfg file name."));
    return false;
}

void DocumentCommands::SetSiteFromDialog(const QString& path)
{
    site_.sitePath = path;
    dirs_.filePath = SitePaths::DirectoryOf(path);
    site_.siteFileTitle = SitePaths::FileTitleOf(path);
    site_.siteName = SitePaths::StripExtension(site_.siteFileTitle);
    UpdateCaption();
}

void DocumentCommands::SetSiteName(const QString& name)
{
    site_.siteName = name;
    site_.sitePath.clear();
    site_.siteFileTitle.clear();
    UpdateCaption();
}

bool DocumentCommands::AskSaveChanges()
{
    if (!site_.modified)
        return true;
    const MessageAnswer answer =
        AskUser(QStringLiteral("Save this site before closing?"), EditorTitle(),
                MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes)
        return SaveSite();
    return answer == MessageAnswer::No;
}

void DocumentCommands::NewSite()
{
    FinishEdit();
    if (!AskSaveChanges())
        return;
    table_.FillDefaultRows(0);
    setModified(false);
    site_.siteName.clear();
    site_.siteFileTitle.clear();
    site_.sitePath.clear();
    UpdateCaption();
    emit documentReplaced();
}

void DocumentCommands::OpenSite()
{
    FinishEdit();
    if (!AskSaveChanges())
        return;
    FileDialogRequest request = FileDialogSettings::open();
    request.directory = dirs_.filePath;
    request.fileName = lastDialogFileName_;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return;
    rememberDialogFile(*path);
    openPath(*path);
}

void DocumentCommands::openFromOutside(const QString& path)
{
    FinishEdit();
    if (!AskSaveChanges())
        return;
    rememberDialogFile(path);
    openPath(path);
}

bool DocumentCommands::openPath(const QString& path)
{
    if (path.size() <= 4)
        return false;
    switch (SitePaths::FileTypeOf(path)) {
    case SiteFileType::Dip:
        if (!LoadDipFile(table_, path))
            return false;
        SetSiteFromDialog(path);
        break;
    case SiteFileType::Csv: {
        const CsvLoadResult result = LoadCsvFile(table_, path);
        if (!result.file) {
            ShowMessage(
                FailureText(QStringLiteral("Error occurred while loading."), result.file.error));
            return false;
        }
        SetSiteName(SitePaths::StripExtension(SitePaths::FileTitleOf(path)));
        break;
    }
    default:
        return reportUnknownFileType();
    }
    setModified(false);
    emit documentReplaced();
    emit fileUsed(path);
    return true;
}

bool DocumentCommands::SaveSite()
{
    FinishEdit();
    if (site_.siteFileTitle.isEmpty())
        return SaveSiteAs();
    if (!SaveDipFile(table_, site_.sitePath))
        return false;
    setModified(false);
    return true;
}

bool DocumentCommands::SaveSiteAs()
{
    FinishEdit();
    FileDialogRequest request = FileDialogSettings::saveAs();
    request.directory = dirs_.filePath;
    request.fileName = site_.siteName;
    lastDialogFileName_ = site_.siteName;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return false;
    rememberDialogFile(*path);
    if (path->size() <= 4)
        return false;
    return saveAsPath(*path);
}

bool DocumentCommands::saveAsPath(const QString& path)
{
    switch (SitePaths::FileTypeOf(path)) {
    case SiteFileType::Dip:
        if (!SaveDipFile(table_, path))
            return false;
        SetSiteFromDialog(path);
        setModified(false);
        emit fileUsed(path);
        return true;
    case SiteFileType::Csv: {
        const FileResult result = SaveCsvFile(table_, path);
        if (!result)
            ShowMessage(FailureText(QStringLiteral("Error occurred while saving."), result.error));
        else
            emit fileUsed(path);
        return result.ok;
    }
    case SiteFileType::Cfg:
        return SaveCorvaneChannelFile(table_, SitePaths::DirectoryOf(path));
    case SiteFileType::Unknown:
        break;
    }
    return reportUnknownFileType();
}

void DocumentCommands::ExportToCard()
{
    // The card gets what the grid shows, including a cell still being edited.
    FinishEdit();
    FileDialogRequest request = FileDialogSettings::exportToCard();
    request.directory = dirs_.cfPath;
    request.fileName = site_.siteName + QStringLiteral(".dip");
    lastDialogFileName_ = request.fileName;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path || path->isEmpty())
        return;
    rememberDialogFile(*path);
    dirs_.cfPath = SitePaths::DirectoryOf(*path);
    SaveDipFile(table_, *path);
}

void DocumentCommands::ImportCorvaneAllocations()
{
    DigitalChannelList allocations;
    FinishEdit();
    if (!AskSaveChanges())
        return;
    const ChosenSite chosen = chooseSite_ ? chooseSite_() : ChosenSite{};
    if (!chosen.crvCfgDir.isEmpty() && chosen.buttonPressed == QLatin1String("Load"))
        ModCrvFile::LoadDigitalChannels(chosen.crvCfgDir, allocations);
    if (allocations.lastIndex() <= 0)
        return;
    SetSiteName(chosen.crvSiteName);
    FillFromAllocations(table_, allocations);
    setModified(true);
    emit documentReplaced();
}
