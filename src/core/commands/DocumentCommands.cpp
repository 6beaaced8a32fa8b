#include "DocumentCommands.h"

#include "ChannelCount.h"
#include "ChannelCountCommand.h"
#include "ChannelEditCommand.h"
#include "FileDialogSettings.h"
#include "SiteFormats.h"
#include "common/ModFileUtil.h"
#include "common/ShowMessage.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "document/SitePaths.h"
#include "document/SiteSize.h"
#include "labels/ExportLabelDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

using ModFunc::ShowMessage;

namespace {

void showBox(const MessageRequest& box)
{
    Dialogs::current().showMessage(box);
}

} // namespace

DocumentCommands::DocumentCommands(ChannelTableModel& table, DirSettings& dirs, QObject* parent)
    : QObject(parent), table_(table), dirs_(dirs), history_(new QUndoStack(this))
{
    connect(history_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    table_.setUserEditHandler([this](const auto& before, const auto& after) {
        changeRows(QStringLiteral("Edit"), before, after);
    });
}

// The history clears itself when it goes; the window that listened may be half gone by then.
DocumentCommands::~DocumentCommands()
{
    history_->blockSignals(true);
}

bool DocumentCommands::isModified() const
{
    return !history_->isClean();
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

void DocumentCommands::SetSiteFromDialog(const QString& path)
{
    siteStamp_ = FileStamp::of(path);
    site_.sitePath = path;
    dirs_.filePath = SitePaths::DirectoryOf(path);
    site_.siteFileTitle = SitePaths::FileTitleOf(path);
    site_.siteName = SitePaths::StripExtension(site_.siteFileTitle);
    UpdateCaption();
}

void DocumentCommands::SetSiteName(const QString& name)
{
    siteStamp_ = {};
    site_.siteName = name;
    site_.sitePath.clear();
    site_.siteFileTitle.clear();
    UpdateCaption();
}

// A replaced site starts a new history: saved (clean) or, after an import, modified. clear()
// leaves an empty history as it was, so the clean state is set either way.
void DocumentCommands::startHistory(bool modified)
{
    history_->clear();
    if (modified)
        history_->resetClean();
    else
        history_->setClean();
    emit siteReplaced();
}

void DocumentCommands::changeRows(const QString& text,
                                  const QList<ChannelTableModel::RowChange>& before,
                                  const QList<ChannelTableModel::RowChange>& after)
{
    if (!after.isEmpty())
        history_->push(new ChannelEditCommand(table_, text, before, after));
}

bool DocumentCommands::AskSaveChanges()
{
    if (!isModified())
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
    table_.replaceRows(DefaultRows(table_.channelCount()));
    site_ = {};
    siteStamp_ = {};
    UpdateCaption();
    startHistory(false);
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

// Shows what the reader said and takes its rows when the read counts as success. A failed
// read leaves the open site exactly as it was.
bool DocumentCommands::applyRead(const SiteFormat& format, const SiteRead& read)
{
    if (read.applies())
        table_.replaceRows(read.rows);
    SiteFormats::showRead(format, read);
    return read.applies();
}

bool DocumentCommands::openPath(const QString& path)
{
    if (path.size() <= 4)
        return false;
    const SiteFormat* format = SiteFormats::forOpening(path);
    if (!format) {
        ShowMessage(SiteFormats::UnknownFileTypeText());
        return false;
    }
    const SiteRead read = format->read({path, table_.rows(), SiteFormats::AskCsvQuestion});
    if (!applyRead(*format, read))
        return false;
    if (format->becomesSiteFile)
        SetSiteFromDialog(path);
    else
        SetSiteName(SitePaths::StripExtension(SitePaths::FileTitleOf(path)));
    startHistory(false);
    if (format->reopens)
        emit fileUsed(path);
    return true;
}

bool DocumentCommands::saveDip(const QString& path)
{
    const FileResult result = SaveDipFile(table_.rows(), path);
    if (!result)
        showBox(SiteFormats::writeFailure(SiteFormats::dip(), result));
    return result.ok;
}

bool DocumentCommands::SaveSite()
{
    FinishEdit();
    if (site_.siteFileTitle.isEmpty())
        return SaveSiteAs();
    if (!mayOverwriteSiteFile() || !saveDip(site_.sitePath))
        return false;
    siteStamp_ = FileStamp::of(site_.sitePath);
    history_->setClean();
    return true;
}

// Another engineer's save to the same file is not written over without a question.
bool DocumentCommands::mayOverwriteSiteFile()
{
    if (!siteStamp_.changed())
        return true;
    return AskUser(QStringLiteral("%1 was changed by another program since you opened it. "
                                  "Overwrite it?")
                       .arg(site_.siteFileTitle),
                   EditorTitle(), MessageIcon::Question,
                   MessageButtons::YesNo) == MessageAnswer::Yes;
}

// The name typed with .cfg only picks the folder, whose DChannel.cfg may be another site's.
bool DocumentCommands::mayReplaceChannelFile(const QString& folder)
{
    if (!QFileInfo(ModFileUtil::FindFileIgnoringCase(folder, QStringLiteral("DChannel.cfg")))
             .isFile())
        return true;
    MessageRequest question{QStringLiteral("%1 already holds a DChannel.cfg. Replace it?")
                                .arg(QDir::toNativeSeparators(QDir::cleanPath(folder))),
                            EditorTitle(), MessageIcon::Question, MessageButtons::YesNo};
    question.noByDefault = true;
    return Dialogs::current().showMessage(question) == MessageAnswer::Yes;
}

void DocumentCommands::ReloadSite()
{
    FinishEdit();
    if (site_.sitePath.isEmpty() || !AskSaveChanges())
        return;
    openPath(site_.sitePath);
}

void DocumentCommands::restoreSite(const ChannelRows& rows, const SiteState& site,
                                   const FileStamp& stamp)
{
    table_.replaceRows(rows);
    site_ = site;
    siteStamp_ = stamp;
    UpdateCaption();
    startHistory(true);
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
    const SiteFormat* format = SiteFormats::forSaving(path);
    if (!format) {
        ShowMessage(SiteFormats::UnknownFileTypeText());
        return false;
    }
    const QString target = format->target(path);
    if (format == &SiteFormats::corvane() && !mayReplaceChannelFile(target))
        return false;
    const FileResult result = format->write(table_.rows(), site_, target);
    if (!result) {
        showBox(SiteFormats::writeFailure(*format, result));
        return false;
    }
    if (format->becomesSiteFile) {
        SetSiteFromDialog(path);
        history_->setClean();
    }
    if (format->reopens)
        emit fileUsed(path);
    return true;
}

std::optional<QString> DocumentCommands::ExportToCard()
{
    // The card gets what the grid shows, including a cell still being edited.
    FinishEdit();
    FileDialogRequest request = FileDialogSettings::exportToCard();
    request.directory = dirs_.cfPath;
    request.fileName = site_.siteName + QStringLiteral(".dip");
    lastDialogFileName_ = request.fileName;
    const std::optional<QString> path = Dialogs::current().chooseFile(request);
    if (!path)
        return std::nullopt;
    rememberDialogFile(*path);
    dirs_.cfPath = SitePaths::DirectoryOf(*path);
    return saveDip(*path) ? path : std::nullopt;
}

void DocumentCommands::ImportCorvaneAllocations()
{
    FinishEdit();
    if (!AskSaveChanges())
        return;
    const ChosenSite chosen = chooseSite_ ? chooseSite_() : ChosenSite{};
    if (chosen.crvCfgDir.isEmpty() || chosen.buttonPressed != ChosenSite::Button::Load)
        return;
    const SiteFormat& format = SiteFormats::corvane();
    const SiteRead read = format.read({chosen.crvCfgDir, {}, {}});
    if (read.applies())
        SetSiteName(chosen.crvSiteName);
    if (!applyRead(format, read))
        return;
    startHistory(true);
}

void DocumentCommands::ExportLabels()
{
    FinishEdit();
    const FileResult result = ExportLabelDatabase(table_.rows(), labelDatabase_);
    ShowMessage(LabelExportReport(result, table_.channelCount()));
}

void DocumentCommands::ChangeChannelCount(int choice)
{
    FinishEdit();
    if (ChannelCount::ConfirmChoice(table_, choice))
        history_->push(new ChannelCountCommand(table_, SiteSize::choiceChannels(choice)));
}

void DocumentCommands::Undo()
{
    FinishEdit();
    history_->undo();
}

void DocumentCommands::Redo()
{
    FinishEdit();
    history_->redo();
}
