#include "PrintProgressDialog.h"

#include <QProgressDialog>

#include <memory>

PrintProgress ShowPrintProgress(QWidget* parent, const QString& title)
{
    auto dialog = std::make_shared<QProgressDialog>(title, QStringLiteral("Cancel"), 0, 0, parent);
    dialog->setObjectName(QStringLiteral("PrintProgress"));
    dialog->setWindowTitle(title);
    // Window-modal, so that each page lets the Cancel button be pressed.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return [dialog](int done, int total) {
        dialog->setMaximum(total);
        dialog->setLabelText(
            QStringLiteral("%1\nPage %2 of %3").arg(dialog->windowTitle()).arg(done).arg(total));
        dialog->setValue(done);
        return !dialog->wasCanceled();
    };
}
