#include "FindBar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FindBar::FindBar(QWidget* parent)
    : QToolBar(QStringLiteral("Find"), parent), text_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setPlaceholderText(QStringLiteral("Relay name or label"));
    text_->setClearButtonEnabled(true);
    addWidget(new QLabel(QStringLiteral("Find: "), this));
    addWidget(text_);
    QAction* next = addAction(QStringLiteral("Find next"));
    next->setObjectName(QStringLiteral("FindNext"));
    next->setShortcuts(QKeySequence::FindNext);
    next->setShortcutContext(Qt::WindowShortcut);
    QAction* close = addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("FindClose"));
    connect(next, &QAction::triggered, this, [this] { emit findNext(text()); });
    connect(text_, &QLineEdit::returnPressed, this, [this] { emit findNext(text()); });
    connect(close, &QAction::triggered, this, &FindBar::dismiss);
    hide();
}

void FindBar::activate()
{
    show();
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

QString FindBar::text() const
{
    return text_->text();
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    QToolBar::keyPressEvent(event);
}

void FindBar::dismiss()
{
    hide();
    emit closed();
}
