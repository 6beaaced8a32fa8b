#pragma once

#include <QDateTime>
#include <QString>

// One of the two sites of an alteration record, as the record names it.
struct AlteredSite
{
    QString siteName;
    QString file;         // the file as the user named it; empty for a site never saved
    QDateTime modified;   // the file's last change on disk; invalid when there is no file
    QString fingerprint;  // of the channel file the site saves as
    bool unsaved = false; // the site holds changes its file does not
};
