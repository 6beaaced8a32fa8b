#pragma once

#include "document/ChannelRow.h"
#include "document/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// The file a site is compared with, followed on disk: what it was when read (its stamp, its
// fingerprint, its number of channels), and a signal when it is no longer that, whoever
// changed it (another program, or this editor's own Save).
class ComparedFile : public QObject
{
    Q_OBJECT

public:
    explicit ComparedFile(QObject* parent = nullptr);

    // Starts following `path`, read just now as `rows`.
    void follow(const QString& path, const ChannelRows& rows);
    void stop();
    // Says at once whether the file changed since it was read, without waiting for the system
    // to tell.
    void checkNow();

    QString path() const { return stamp_.path; }
    QString fingerprint() const { return fingerprint_; }
    int channels() const { return channels_; }

signals:
    void changedOnDisk();

private:
    void watch();

    QFileSystemWatcher watcher_;
    // A save replaces a file in steps (a temporary file, then a rename): look once they are
    // done.
    QTimer settle_;
    FileStamp stamp_;
    QString fingerprint_;
    int channels_ = 0;
};
