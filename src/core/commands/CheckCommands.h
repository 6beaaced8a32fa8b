#pragma once

#include "ComparisonMarks.h"
#include "checks/CardCheck.h"
#include "checks/SiteComparison.h"

#include <QObject>
#include <QString>

class ChannelTableModel;
class DocumentCommands;
struct DirSettings;

// The checker's commands: compare the open site with another read beside it (never into it),
// verify a card's channel file against the site, save the differences as a report. A
// comparison lasts until End comparison, New, Open or Import.
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

signals:
    void comparisonChanged();

private:
    bool compareWithFile(const QString& path);
    void followTable();

    DocumentCommands& commands_;
    ChannelTableModel& table_;
    DirSettings& dirs_;
    ComparisonMarks marks_;
    QString otherPath_;
    SiteComparison comparison_; // made once a change, for the panel, the counts and F8
    CardReader readCard_ = ReadBackFromDevice;
};
