#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a file was when the editor last read or wrote it, to tell whether another program has
// changed it since: its size, time and a checksum of its bytes.
struct FileStamp
{
    QString path; // empty: no file to watch
    qint64 size = -1;
    QDateTime modified;
    QByteArray checksum;

    static FileStamp of(const QString& path);
    // Whether the file is no longer what it was (changed, replaced or gone).
    bool changed() const;
    bool isValid() const { return !path.isEmpty(); }
};
