#pragma once

#include "document/SiteState.h"

#include <QObject>
#include <QString>

#include <functional>

class ChannelTableModel;
struct DirSettings;

// What the site selector answered: the button that closed it and the highlighted site.
struct ChosenSite
{
    QString buttonPressed; // "Load" after Open
    QString crvSiteName;
    QString crvCfgDir; // empty when no site was chosen
};

// New, Open, Save, Save As, Export to the card and Import, on the one open site. Every box and
// file dialog goes through the dialog seam, so the commands run without a window.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(ChannelTableModel& table, DirSettings& dirs, QObject* parent = nullptr);

    // Ends the cell edit in progress so that its value is in the table.
    void setFinishEdit(std::function<void()> finishEdit) { finishEdit_ = std::move(finishEdit); }
    // Shows the site selector and answers what was chosen.
    void setSiteChooser(std::function<ChosenSite()> chooser) { chooseSite_ = std::move(chooser); }

    const SiteState& site() const { return site_; }
    bool isModified() const { return site_.modified; }
    void setModified(bool modified);
    QString caption() const;

    void NewSite();
    void OpenSite();
    // Answer true only when the site was really written.
    bool SaveSite();
    bool SaveSiteAs();
    void ExportToCard();
    void ImportCorvaneAllocations();
    // False when the user cancelled, or chose to save and the save did not happen.
    bool AskSaveChanges();

    // Opens a channel file or list by its path, as Open does after its dialog.
    bool openPath(const QString& path);
    // Open for a path from outside (command line, drop, recent files): the save question,
    // then the file.
    void openFromOutside(const QString& path);

    void SetSiteFromDialog(const QString& path);
    void SetSiteName(const QString& name);
    void UpdateCaption();

signals:
    void captionChanged(const QString& caption);
    void modifiedChanged(bool modified);
    // The table was replaced by a file or an import; an undo history no longer applies.
    void documentReplaced();
    // A channel file or list was opened or saved under this path.
    void fileUsed(const QString& path);

private:
    void FinishEdit();
    bool saveAsPath(const QString& path);
    bool reportUnknownFileType();
    void rememberDialogFile(const QString& path);

    ChannelTableModel& table_;
    DirSettings& dirs_;
    SiteState site_;
    QString lastDialogFileName_;
    std::function<void()> finishEdit_;
    std::function<ChosenSite()> chooseSite_;
};
