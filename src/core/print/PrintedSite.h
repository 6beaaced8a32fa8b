#pragma once

#include "document/ChannelRow.h"

#include <QDateTime>
#include <QString>

// What a printed site record shows beside the channels.
struct PrintedSite
{
    ChannelRows rows;
    QString siteName;
    QString fileName;    // the channel file's name; empty for a site never saved
    QDateTime printed;   // when it is printed
    QString fingerprint; // of the channel file Save writes for the rows
    QString issue;       // the issue or revision the user gave it; may be empty

    // The site as printed now, with the fingerprint of its rows.
    static PrintedSite of(ChannelRows rows, const QString& siteName, const QString& fileName,
                          const QString& issue = {});
};

// The program that printed a record, as the record names it: "ZR415Config 1.0.0".
QString PrintingProgram();
