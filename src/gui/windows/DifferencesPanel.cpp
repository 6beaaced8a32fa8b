#include "DifferencesPanel.h"

#include "WindowHelpers.h"

#include "commands/CheckCommands.h"
#include "document/ChannelTableModel.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

DifferencesPanel::DifferencesPanel(CheckCommands& checks, QWidget* parent)
    : QDockWidget(QStringLiteral("Differences"), parent), checks_(checks),
      list_(new QTreeWidget(this)), note_(new QLabel(this))
{
    setObjectName(QStringLiteral("DifferencesPanel"));
    list_->setObjectName(QStringLiteral("DifferencesList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Channel"), QStringLiteral("Column"),
                            QStringLiteral("This site"), QStringLiteral("Other site")});
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
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit cellChosen(item->data(0, Qt::UserRole).toInt(), item->data(1, Qt::UserRole).toInt());
    });
    refresh();
}

QString DifferencesPanel::noteText() const
{
    return note_->text();
}

void DifferencesPanel::refresh()
{
    list_->clear();
    if (!checks_.comparing()) {
        note_->setText(QStringLiteral("No site is compared. File > Compare with... chooses one."));
        setWindowTitle(QStringLiteral("Differences"));
        return;
    }
    const SiteComparison comparison = checks_.comparison();
    QString note =
        QStringLiteral("Compared with %1.").arg(QDir::toNativeSeparators(checks_.otherPath()));
    if (!comparison.statesCompared)
        note += QStringLiteral(" State texts are not compared: the other site holds none.");
    note_->setText(note);
    // The lines read as the report's; the rows and columns come from the comparison.
    const QStringList lines = DifferenceLines(comparison);
    QList<QTreeWidgetItem*> items;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* item = new QTreeWidgetItem(lines[i].split(u'\t'));
        const bool cell = i < comparison.cells.size();
        const qsizetype extra = i - comparison.cells.size();
        item->setData(0, Qt::UserRole,
                      cell ? comparison.cells[i].row : comparison.extras[extra].first);
        item->setData(1, Qt::UserRole,
                      cell ? comparison.cells[i].column : int(ChannelTableModel::ColRelNam));
        items.append(item);
    }
    list_->addTopLevelItems(items);
    ModFunc::FitColumns(*list_);
    setWindowTitle(QStringLiteral("Differences (%1)").arg(comparison.count()));
}
