#pragma once

#include "ChannelRow.h"

#include <QString>
#include <QStringList>

// What a reader made of a site file, without touching the open site: the rows, the notices
// the user must see in their order, and how the read ended.
struct SiteRead
{
    enum class Outcome {
        Loaded,    // every channel was read
        Cut,       // the file holds more channels than a site can; the first 3072 were read
        Cancelled, // a question was answered Cancel; the rows hold what was read until then
        Empty,     // there was nothing to read (a Corvane site without allocations)
        Failed,    // nothing is to be taken; failure holds the system's description, or is
                   // empty when a check failed whose notice says why
    };

    Outcome outcome = Outcome::Loaded;
    ChannelRows rows;
    QStringList notices; // shown as information boxes titled "ZR415 configuration editor"
    QString path;        // the file that was read
    QString failure;

    // Whether the rows become the site: everything but Empty and Failed.
    bool applies() const { return outcome != Outcome::Empty && outcome != Outcome::Failed; }

    static SiteRead failed(const QString& path, const QString& description)
    {
        SiteRead read;
        read.outcome = Outcome::Failed;
        read.path = path;
        read.failure = description;
        return read;
    }
};
