#pragma once

#include "print/LabelSheetGrid.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// Label sheet setup: the label stock the labels are printed on. OK is offered only for a grid
// whose labels all lie on the sheet.
class FrmLabelSheet : public QDialog
{
    Q_OBJECT

public:
    explicit FrmLabelSheet(QWidget* parent = nullptr);

    void setGrid(const LabelSheetGrid& grid);
    LabelSheetGrid grid() const;

private:
    QDoubleSpinBox* addMillimetres(const char* name, const QString& caption);
    void showProblem();

    QComboBox* paper_;
    QSpinBox* columns_;
    QSpinBox* rows_;
    QDoubleSpinBox* leftMargin_;
    QDoubleSpinBox* topMargin_;
    QDoubleSpinBox* labelWidth_;
    QDoubleSpinBox* labelHeight_;
    QDoubleSpinBox* columnGap_;
    QDoubleSpinBox* rowGap_;
    QCheckBox* outlines_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};
