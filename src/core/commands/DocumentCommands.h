#pragma once

#include "ChosenSite.h"
#include "document/ChannelTableModel.h"
#include "document/FileStamp.h"
#include "document/SiteState.h"
#include "labels/LabelDatabase.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;
struct DirSettings;
struct SiteFormat;
struct SiteRead;

// Every command on the one open site. Each first ends the cell edit in progress, so it acts on
// what the grid shows; every box and file dialog goes through the dialog seam, so the commands
// run without a window. The site is modified exactly when the undo history is away from its
// clean state.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(ChannelTableModel& table, DirSettings& dirs, QObject* parent = nullptr);
    ~DocumentCommands() override;

    // Ends the cell edit in progress so that its value is in the table.
    void setFinishEdit(std::function<void()> finishEdit) { finishEdit_ = std::move(finishEdit); }
    // Shows the site selector and answers what was chosen.
    void setSiteChooser(std::function<ChosenSite()> chooser) { chooseSite_ = std::move(chooser); }

    QUndoStack* history() const { return history_; }
    const SiteState& site() const { return site_; }
    bool isModified() const;
    QString caption() const;

    void NewSite();
    void OpenSite();
    // Ends the cell edit in progress so that its value is in the table.
    void FinishEdit();
    // Answer true only when the site was really written.
    bool SaveSite();
    bool SaveSiteAs();
    // The path of the card's file when it was written.
    std::optional<QString> ExportToCard();
    void ImportCorvaneAllocations();
    void ExportLabels();
    // The user picked channel-count choice `choice` (-1: none) in the selector.
    void ChangeChannelCount(int choice);
    void Undo();
    void Redo();
    // Reads the site's channel file again, after the save question.
    void ReloadSite();
    // False when the user cancelled, or chose to save and the save did not happen.
    bool AskSaveChanges();

    // Open for a path from outside (command line, drop, recent files): the save question,
    // then the file.
    void openFromOutside(const QString& path);
    // Whether another program changed the site's channel file since it was opened or saved.
    bool siteFileChanged() const { return siteStamp_.changed(); }
    const FileStamp& siteStamp() const { return siteStamp_; }
    // Puts a site back as it was when a recovery copy was kept: modified, with its file as it
    // was then.
    void restoreSite(const ChannelRows& rows, const SiteState& site, const FileStamp& stamp);

    // An undoable change of rows the user made (an edit, a paste, a fill, a delete).
    void changeRows(const QString& text, const QList<ChannelTableModel::RowChange>& before,
                    const QList<ChannelTableModel::RowChange>& after);

signals:
    void captionChanged(const QString& caption);
    void modifiedChanged(bool modified);
    // A channel file or list was opened or saved under this path.
    void fileUsed(const QString& path);
    // New, Open, Import or a restore put another site in place.
    void siteReplaced();

private:
    bool openPath(const QString& path);
    bool saveAsPath(const QString& path);
    bool saveDip(const QString& path);
    bool mayOverwriteSiteFile();
    bool mayReplaceChannelFile(const QString& folder);
    bool applyRead(const SiteFormat& format, const SiteRead& read);
    void startHistory(bool modified);
    void rememberDialogFile(const QString& path);
    void SetSiteFromDialog(const QString& path);
    void SetSiteName(const QString& name);
    void UpdateCaption();

    ChannelTableModel& table_;
    DirSettings& dirs_;
    QUndoStack* history_;
    SiteState site_;
    FileStamp siteStamp_;
    QString lastDialogFileName_;
    LabelDatabase labelDatabase_ = LabelDatabase::editorDefault();
    std::function<void()> finishEdit_;
    std::function<ChosenSite()> chooseSite_;
};
