#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Whether a card holds exactly the channel file written to it.
struct CardCheck
{
    QString readError;     // the card could not be read back
    int firstChannel = -1; // the first channel that differs; 0 for the header; -1: none differs
    bool longer = false;   // the card holds all that was written, and more after it

    bool verified() const { return readError.isEmpty() && firstChannel < 0 && !longer; }
    // "channel AA05", "the header", or the length when only that differs.
    QString whereText() const;
};

// Reads a file back as the device holds it (past the system's cache where the system allows),
// or sets `error`.
QByteArray ReadBackFromDevice(const QString& path, QString& error);

using CardReader = std::function<QByteArray(const QString& path, QString& error)>;

// Compares what the card holds with the channel file's bytes that were written.
CardCheck CheckCard(const QString& path, const QByteArray& written, const CardReader& read);
