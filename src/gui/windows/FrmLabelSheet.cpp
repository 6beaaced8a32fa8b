#include "FrmLabelSheet.h"

#include "help/FrmHelp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int kHelp = 101;

QSpinBox* countBox(QWidget* parent, const char* name, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, maximum);
    return box;
}

} // namespace

FrmLabelSheet::FrmLabelSheet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmLabelSheet"));
    setWindowTitle(QStringLiteral("Label sheet setup"));
    auto* form = new QFormLayout(this);
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("CmbPaper"));
    paper_->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    paper_->addItem(QStringLiteral("Letter"), int(QPageSize::Letter));
    form->addRow(QStringLiteral("&Paper:"), paper_);
    columns_ = countBox(this, "SpnColumns", 20);
    form->addRow(QStringLiteral("&Columns:"), columns_);
    rows_ = countBox(this, "SpnRows", 40);
    form->addRow(QStringLiteral("&Rows:"), rows_);
    leftMargin_ = addMillimetres("SpnLeftMargin", QStringLiteral("&Left margin:"));
    topMargin_ = addMillimetres("SpnTopMargin", QStringLiteral("&Top margin:"));
    labelWidth_ = addMillimetres("SpnLabelWidth", QStringLiteral("Label &width:"));
    labelHeight_ = addMillimetres("SpnLabelHeight", QStringLiteral("Label &height:"));
    columnGap_ = addMillimetres("SpnColumnGap", QStringLiteral("Gap between c&olumns:"));
    rowGap_ = addMillimetres("SpnRowGap", QStringLiteral("Gap between ro&ws:"));
    outlines_ = new QCheckBox(QStringLiteral("Print a faint outli&ne round each label"), this);
    outlines_->setObjectName(QStringLiteral("ChkOutlines"));
    form->addRow(outlines_);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("LblProblem"));
    problem_->setWordWrap(true);
    form->addRow(problem_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancel"));
    FrmHelp::AddHelpKey(*this, kHelp);
    connect(paper_, &QComboBox::currentIndexChanged, this, &FrmLabelSheet::showProblem);
    for (QSpinBox* box : {columns_, rows_})
        connect(box, &QSpinBox::valueChanged, this, &FrmLabelSheet::showProblem);
    for (QDoubleSpinBox* box :
         {leftMargin_, topMargin_, labelWidth_, labelHeight_, columnGap_, rowGap_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &FrmLabelSheet::showProblem);
    setGrid(LabelSheetGrid());
}

// Tenths of a millimetre, as label stock is measured.
QDoubleSpinBox* FrmLabelSheet::addMillimetres(const char* name, const QString& caption)
{
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(1);
    box->setRange(0, 400);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    static_cast<QFormLayout*>(layout())->addRow(caption, box);
    return box;
}

void FrmLabelSheet::setGrid(const LabelSheetGrid& grid)
{
    paper_->setCurrentIndex(std::max(0, paper_->findData(int(grid.paper))));
    columns_->setValue(grid.columns);
    rows_->setValue(grid.rows);
    leftMargin_->setValue(grid.leftMargin);
    topMargin_->setValue(grid.topMargin);
    labelWidth_->setValue(grid.labelWidth);
    labelHeight_->setValue(grid.labelHeight);
    columnGap_->setValue(grid.columnGap);
    rowGap_->setValue(grid.rowGap);
    outlines_->setChecked(grid.outlines);
    showProblem();
}

LabelSheetGrid FrmLabelSheet::grid() const
{
    LabelSheetGrid grid;
    grid.paper = QPageSize::PageSizeId(paper_->currentData().toInt());
    grid.columns = columns_->value();
    grid.rows = rows_->value();
    grid.leftMargin = leftMargin_->value();
    grid.topMargin = topMargin_->value();
    grid.labelWidth = labelWidth_->value();
    grid.labelHeight = labelHeight_->value();
    grid.columnGap = columnGap_->value();
    grid.rowGap = rowGap_->value();
    grid.outlines = outlines_->isChecked();
    return grid;
}

void FrmLabelSheet::showProblem()
{
    const QString problem = grid().problem();
    problem_->setText(problem);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}
