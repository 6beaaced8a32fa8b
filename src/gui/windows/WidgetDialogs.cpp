#include "WidgetDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RestoreDiscard:
        return QMessageBox::Discard;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return MessageAnswer::Cancel;
    }
}

// A box sizes itself to its text; a short text under a long title would cut the title.
void keepTitleWhole(QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    // Room for the window's icon and its three title buttons beside the title.
    const int buttons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + buttons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

// Every button answers to Alt and its first letter.
void giveAltLetters(QMessageBox& box)
{
    for (QAbstractButton* button : box.buttons()) {
        if (!button->text().contains(u'&'))
            button->setText(u'&' + button->text());
    }
}

} // namespace

QStringList WidgetDialogs::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        filters.append(parts[i]);
    return filters;
}

MessageAnswer WidgetDialogs::showMessage(const MessageRequest& request)
{
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(boxIcon(request.icon), request.title, text, boxButtons(request.buttons),
                    parent_);
    // Restore is no standard button; closing that box decides nothing (Cancel).
    const QPushButton* restore =
        request.buttons == MessageButtons::RestoreDiscard
            ? box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole)
            : nullptr;
    if (request.buttons == MessageButtons::Ok)
        box.setEscapeButton(QMessageBox::Ok);
    else if (request.buttons == MessageButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    else if (request.buttons != MessageButtons::RestoreDiscard)
        box.setEscapeButton(QMessageBox::Cancel);
    if (request.noByDefault)
        box.setDefaultButton(QMessageBox::No);
    giveAltLetters(box);
    keepTitleWhole(box);
    const int button = box.exec();
    if (restore && box.clickedButton() == restore)
        return MessageAnswer::Restore;
    if (request.buttons == MessageButtons::RestoreDiscard && !box.clickedButton())
        return MessageAnswer::Cancel;
    return answerOf(button);
}

std::optional<QString> WidgetDialogs::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title, request.directory);
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex > 0 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
