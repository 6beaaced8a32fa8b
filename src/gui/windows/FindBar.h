#pragma once

#include <QToolBar>

class QLineEdit;

// A small bar that looks for the next relay name or label holding its text.
class FindBar : public QToolBar
{
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent = nullptr);

    // Shows the bar with its text selected, ready for typing.
    void activate();
    QString text() const;
    QLineEdit* textField() const { return text_; }

signals:
    void findNext(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* text_;
};
