#pragma once

#include "common/Dialogs.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Whether a card holds exactly the channel file Save writes for the site, its length included.
struct CardCheck
{
    QString readError;   // the card's file could not be read
    QString difference;  // the first thing that differs, as the user reads it
    QString fingerprint; // of the card's file as read, when it could be read

    bool verified() const { return readError.isEmpty() && difference.isEmpty(); }
};

// Reads a file back as the device holds it (past the system's cache where the system allows),
// or sets `error`; only a regular file is read.
QByteArray ReadBackFromDevice(const QString& path, QString& error);

using CardReader = std::function<QByteArray(const QString& path, QString& error)>;

// Compares the card's file at `path`, read by `read`, with the site's channel file bytes.
CardCheck CheckCard(const QString& path, const QByteArray& site, const CardReader& read);

// The box of Verify card for the card's file at `path` and a site of `channels` channels.
MessageRequest VerifyCardBox(const CardCheck& check, const QString& path, int channels);
