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
    // Hides the bar; the keyboard goes back to where the search was for.
    void dismiss();
    QLineEdit* textField() const { return text_; }

signals:
    void findNext(const QString& text);
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* text_;
};
