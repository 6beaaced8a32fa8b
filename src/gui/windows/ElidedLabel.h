#pragma once

#include <QLabel>

// A one-line label that cuts its text with "..." where its room ends, the whole text in its
// tooltip; it asks for no more than a few characters of room, so a long text never widens or
// heightens what holds it. text() stays the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QSize minimumSizeHint() const override;
    // The text as it shows now.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
