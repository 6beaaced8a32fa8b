#pragma once

#include "ComparedFile.h"
#include "ComparisonMarks.h"
#include "checks/CardCheck.h"
#include "checks/SiteComparison.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ChannelTableModel;
class DocumentCommands;
struct DirSettings;

// The checker's commands: compare the open site with another read beside it (never into it),
// verify a card's channel file against the site, save the differences as a report. A
// comparison lasts until End comparison, New, Open or Import, and is read again whenever the
// other file changes on disk.
class CheckCommands : public QObject
{
    Q_OBJECT

public:
    CheckCommands(DocumentCommands& commands, ChannelTableModel& table, DirSettings& dirs,
                  QObject* parent = nullptr);

    // Replaces how a card's file is read back (tests give one that reads other bytes).
    void setCardReader(CardReader reader) { readCard_ = std::move(reader); }

    void CompareWith();
    // Compares with a site already read from `path`; state texts only when `states`.
    void compareWithSite(const ChannelRows& other, bool states, const QString& path);
    void VerifyCard();
    void EndComparison();
    void SaveReport();
    // Exports the site to the card, then reads it back and says whether it holds the site.
    void ExportAndVerify();

    bool comparing() const;
    // What differs now; it follows every edit.
    const SiteComparison& comparison() const { return comparison_; }
    QString otherPath() const { return otherPath_; }
    // The other site's fingerprint and number of channels, as last read.
    const ComparedFile& otherFile() const { return otherFile_; }
    // What the read of the other site said ("3072 channels loaded", names cut).
    QStringList readNotices() const { return readNotices_; }

signals:
    void comparisonChanged();

private:
    void compareWithFile(const QString& path);
    void followTable();
    void readOtherAgain();
    QStringList reportHead() const;

    DocumentCommands& commands_;
    ChannelTableModel& table_;
    DirSettings& dirs_;
    ComparisonMarks marks_;
    QString otherPath_;
    ComparedFile otherFile_;
    QStringList readNotices_;
    SiteComparison comparison_; // made once a change, for the panel, the counts and F8
    CardReader readCard_ = ReadBackFromDevice;
};
