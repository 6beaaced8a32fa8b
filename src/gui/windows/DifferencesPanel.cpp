#include "DifferencesPanel.h"

#include "WindowHelpers.h"

#include "checks/DifferenceListModel.h"
#include "commands/CheckCommands.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

DifferencesPanel::DifferencesPanel(CheckCommands& checks, QWidget* parent)
    : QDockWidget(QStringLiteral("Differences"), parent), checks_(checks),
      lines_(new DifferenceListModel(this)), list_(new QTreeView(this)), note_(new QLabel(this))
{
    setObjectName(QStringLiteral("DifferencesPanel"));
    list_->setObjectName(QStringLiteral("DifferencesList"));
    list_->setModel(lines_);
    list_->setRootIsDecorated(false);
    // Lines of one height, columns fitted once a refresh: thousands of lines fill at once.
    list_->setUniformRowHeights(true);
    note_->setObjectName(QStringLiteral("DifferencesNote"));
    note_->setWordWrap(true);
    auto* save = new QPushButton(QStringLiteral("Save report..."), this);
    save->setObjectName(QStringLiteral("SaveReport"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(list_);
    layout->addWidget(save, 0, Qt::AlignRight);
    setWidget(body);
    connect(save, &QPushButton::clicked, &checks, &CheckCommands::SaveReport);
    connect(&checks, &CheckCommands::comparisonChanged, this, &DifferencesPanel::refresh);
    connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& line) {
        const auto [row, column] = DifferenceCell(lines_->comparison(), line.row());
        emit cellChosen(row, column);
    });
    refresh();
}

QString DifferencesPanel::noteText() const
{
    return note_->text();
}

void DifferencesPanel::refresh()
{
    if (!checks_.comparing()) {
        lines_->setComparison({});
        note_->setText(QStringLiteral("No site is compared. File > Compare with... chooses one."));
        setWindowTitle(QStringLiteral("Differences"));
        return;
    }
    lines_->setComparison(checks_.comparison());
    const SiteComparison& comparison = lines_->comparison();
    QString note =
        QStringLiteral("Compared with %1.").arg(QDir::toNativeSeparators(checks_.otherPath()));
    if (!comparison.statesCompared)
        note += QStringLiteral(" State texts are not compared: the other site holds none.");
    for (QString notice : checks_.readNotices()) {
        notice.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        note += u' ' + notice + (notice.endsWith(u'.') ? QString() : QStringLiteral("."));
    }
    note_->setText(note);
    ModFunc::FitColumns(*list_);
    setWindowTitle(QStringLiteral("Differences (%1)").arg(comparison.count()));
}
