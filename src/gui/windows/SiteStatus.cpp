#include "SiteStatus.h"

#include "ChannelGridDelegate.h"
#include "document/ChannelStatistics.h"
#include "document/ChannelTableModel.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

constexpr int kNoteMilliseconds = 5000;

QString warningText(int unencodable)
{
    if (unencodable == 1)
        return QStringLiteral("1 relay name holds characters written as \"?\"");
    return QStringLiteral("%1 relay names hold characters written as \"?\"").arg(unencodable);
}

} // namespace

SiteStatus::SiteStatus(QStatusBar& bar, const ChannelTableModel& table)
    : QObject(&bar), bar_(bar), table_(table)
{
    // The window is too narrow for both texts side by side, so a warning takes a line of its
    // own above the counts, in the colour of the cells it counts.
    auto* counts = new QWidget(&bar);
    auto* lines = new QVBoxLayout(counts);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);
    warning_ = new QLabel(counts);
    warning_->setObjectName(QStringLiteral("StatusWarning"));
    warning_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    warning_->setAutoFillBackground(true);
    QPalette marked = warning_->palette();
    marked.setColor(QPalette::Window, QColor(ChannelGridDelegate::kUnencodableMark));
    warning_->setPalette(marked);
    warning_->hide();
    channels_ = new QLabel(counts);
    channels_->setObjectName(QStringLiteral("StatusChannels"));
    channels_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lines->addWidget(warning_);
    lines->addWidget(channels_);
    bar.addPermanentWidget(counts);
    connect(&table, &QAbstractItemModel::modelReset, this, &SiteStatus::update);
    connect(&table, &QAbstractItemModel::dataChanged, this, &SiteStatus::update);
    connect(&table, &QAbstractItemModel::rowsInserted, this, &SiteStatus::update);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, &SiteStatus::update);
    update();
}

void SiteStatus::update()
{
    const ChannelStatistics statistics = ChannelStatistics::of(table_.rows());
    channels_->setText(QStringLiteral("%1 of %2 channels in use, %3 on back contacts")
                           .arg(statistics.inUse)
                           .arg(table_.channelCount())
                           .arg(statistics.back));
    warning_->setVisible(statistics.unencodable > 0);
    warning_->setText(statistics.unencodable > 0 ? warningText(statistics.unencodable) : QString());
}

QString SiteStatus::text() const
{
    if (warning_->text().isEmpty())
        return channels_->text();
    return warning_->text() + QStringLiteral("; ") + channels_->text();
}

void SiteStatus::showNote(const QString& note)
{
    bar_.showMessage(note, kNoteMilliseconds);
}
