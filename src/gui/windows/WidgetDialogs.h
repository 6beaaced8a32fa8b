#pragma once

#include "common/Dialogs.h"

#include <QStringList>

class QWidget;

// The editor's dialogs: QMessageBox and QFileDialog over the given parent window.
class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;

    // "Description (*.ext)|*.ext|..." as Qt name filters.
    static QStringList nameFilters(const QString& filter);

private:
    QWidget* parent_;
};
