#include "SiteStatus.h"

#include "ChannelGridDelegate.h"
#include "ElidedLabel.h"
#include "checks/Fingerprint.h"
#include "common/ChannelLabel.h"
#include "document/ChannelStatistics.h"
#include "document/ChannelTableModel.h"

#include <QStatusBar>

namespace {

constexpr int kNoteMilliseconds = 5000;

QString warningText(int altered)
{
    if (altered == 1)
        return QStringLiteral("1 text would be cut or written with \"?\" in the channel file");
    return QStringLiteral("%1 texts would be cut or written with \"?\" in the channel file")
        .arg(altered);
}

ElidedLabel* addLabel(QStatusBar& bar, const char* name, int stretch = 0)
{
    auto* label = new ElidedLabel(&bar);
    label->setObjectName(QLatin1String(name));
    bar.addPermanentWidget(label, stretch);
    return label;
}

} // namespace

SiteStatus::SiteStatus(QStatusBar& bar, const ChannelTableModel& table)
    : QObject(&bar), table_(table), left_(new ElidedLabel(&bar))
{
    // One line: every text is cut where its room ends, whole in its tooltip.
    left_->setObjectName(QStringLiteral("StatusNote"));
    // The place of the current cell shows whole; the counts give way first.
    left_->setMinimumWidth(
        left_->fontMetrics().horizontalAdvance(QStringLiteral("Unit H, card H: HH01-HH48")) +
        left_->fontMetrics().averageCharWidth());
    bar.addWidget(left_, 1);
    // The warning in the colour of the cells it counts.
    warning_ = addLabel(bar, "StatusWarning");
    warning_->setAutoFillBackground(true);
    QPalette marked = warning_->palette();
    marked.setColor(QPalette::Window, QColor(ChannelGridDelegate::kAlteredMark));
    warning_->setPalette(marked);
    warning_->hide();
    recovery_ = addLabel(bar, "StatusRecovery");
    recovery_->setAutoFillBackground(true);
    recovery_->setPalette(marked);
    recovery_->hide();
    // The counts take only the room the others leave: they give way first.
    channels_ = addLabel(bar, "StatusChannels", 1);
    channels_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    checks_ = addLabel(bar, "StatusChecks");
    // Short and whole, so a plain label: its tooltip says what it is.
    fingerprint_ = new QLabel(&bar);
    fingerprint_->setObjectName(QStringLiteral("StatusFingerprint"));
    fingerprint_->setToolTip(QStringLiteral("Fingerprint of the channel file this site saves as"));
    fingerprint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar.addPermanentWidget(fingerprint_);
    noteTimer_.setSingleShot(true);
    noteTimer_.setInterval(kNoteMilliseconds);
    connect(&noteTimer_, &QTimer::timeout, this, [this] { showLeft(position_); });
    connect(&table, &QAbstractItemModel::modelReset, this, &SiteStatus::update);
    connect(&table, &QAbstractItemModel::rowsInserted, this, &SiteStatus::update);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, &SiteStatus::update);
    connect(&table, &ChannelTableModel::siteDataChanged, this, &SiteStatus::update);
    update();
}

void SiteStatus::update()
{
    const ChannelStatistics statistics = ChannelStatistics::of(table_.rows());
    channels_->setText(QStringLiteral("%1 of %2 channels in use, %3 on back contacts")
                           .arg(statistics.inUse)
                           .arg(table_.channelCount())
                           .arg(statistics.back));
    fingerprint_->setText(Fingerprint::ofSite(table_.rows()));
    warning_->setVisible(statistics.altered > 0);
    warning_->setText(statistics.altered > 0 ? warningText(statistics.altered) : QString());
}

void SiteStatus::showChecks(int problems, int differences)
{
    QString text =
        problems == 1 ? QStringLiteral("1 problem") : QStringLiteral("%1 problems").arg(problems);
    if (differences == 1)
        text += QStringLiteral(", 1 difference");
    else if (differences >= 0)
        text += QStringLiteral(", %1 differences").arg(differences);
    // Cut where room lacks, like the counts: the panels' tabs show the same numbers.
    checks_->setText(text);
}

QString SiteStatus::text() const
{
    if (warning_->text().isEmpty())
        return channels_->text();
    return warning_->text() + QStringLiteral("; ") + channels_->text();
}

void SiteStatus::showRecoveryFailure(const QString& failure)
{
    recovery_->setText(failure.isEmpty()
                           ? QString()
                           : QStringLiteral("Unsaved changes are not being kept for recovery: ") +
                                 failure);
    recovery_->setVisible(!failure.isEmpty());
}

QString SiteStatus::leftText() const
{
    return left_->text();
}

void SiteStatus::showNote(const QString& note)
{
    if (note.isEmpty())
        return;
    showLeft(note);
    noteTimer_.start();
}

void SiteStatus::showPosition(int row)
{
    const int first = row / ModFunc::kChannelsPerCard * ModFunc::kChannelsPerCard + 1;
    const QString label = ModFunc::ChannelLabel(first);
    position_ = label.isEmpty() ? QString()
                                : QStringLiteral("Unit %1, card %2: %3-%4")
                                      .arg(label[0])
                                      .arg(label[1])
                                      .arg(label, ModFunc::ChannelLabel(first + 47));
    if (!noteTimer_.isActive())
        showLeft(position_);
}

void SiteStatus::showLeft(const QString& text)
{
    left_->setText(text);
}
