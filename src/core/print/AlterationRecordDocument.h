#pragma once

#include "AlteredSite.h"
#include "PagedDocument.h"
#include "checks/SiteComparison.h"

#include <QDateTime>
#include <QList>

class PageText;

// The alteration record a checker signs: both sites with their files, modification times and
// fingerprints, the counts, the sign-off boxes, then every changed field of every changed
// channel as its old value and its new one (marked). Portrait, on A4.
class AlterationRecordDocument : public PagedDocument
{
public:
    // `changes` compares the new site (ours) with the old one (theirs).
    AlterationRecordDocument(AlteredSite before, AlteredSite after, SiteComparison changes,
                             int commonChannels, QDateTime printed);

    QPageLayout preferredLayout() const override;
    QString title() const override;
    int layOut(const QSizeF& area) override;
    void paintPage(QPainter& painter, const PointScale& scale, int page) const override;

    int changedChannels() const { return changedChannels_; }
    int unchangedChannels() const { return commonChannels_ - changedChannels_; }

private:
    struct Page
    {
        int firstLine = 0;
        int lineCount = 0;
    };

    double summaryHeight() const;
    void paintSummary(PageText& page) const;
    void paintSite(PageText& page, double top, const QString& role, const AlteredSite& site) const;
    void paintTable(PageText& page, double top, const Page& lines) const;
    QStringList countLines() const;

    AlteredSite before_;
    AlteredSite after_;
    SiteComparison changes_;
    int commonChannels_;
    int changedChannels_ = 0;
    QDateTime printed_;
    QSizeF area_;
    QList<Page> pages_;
};
