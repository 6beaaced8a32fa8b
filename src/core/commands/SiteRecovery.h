#pragma once

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <memory>

class ChannelTableModel;
class DocumentCommands;

// Keeps a copy of the modified site in the user's data folder, so that a crash or a power
// cut loses no edit: written a moment after the last change, never on the way of a key press;
// removed when the site is saved, started anew or its changes are discarded. Each editor
// running keeps a copy of its own, locked while it runs; a copy whose lock is free was left by
// an editor that ended without closing, and is offered back at the next start.
class SiteRecovery : public QObject
{
    Q_OBJECT

public:
    SiteRecovery(DocumentCommands& commands, const ChannelTableModel& table, const QString& folder,
                 QObject* parent = nullptr);
    ~SiteRecovery() override;

    // The folder of the copies: "recovery" in the user's application data folder.
    static QString defaultFolder();
    // The delay between the last change and the copy.
    static constexpr int kDelayMilliseconds = 2000;

    // Offers each copy another editor left, newest first: "Restore the unsaved changes to
    // north from 14:02?" Restore puts the site in place and ends the offers; Discard removes
    // the copy; closing the box keeps it for the next start. A copy that cannot be read, is
    // damaged or comes from a newer version is renamed out of the way, and one box says where.
    // Answers whether one was restored.
    bool offerLeftCopies();
    // Removes this editor's copy: the changes were saved or are given up.
    void discard();
    // Writes the copy now, when the site is modified.
    void writeNow();
    QString copyPath() const { return path_; }

signals:
    // Why the copy cannot be written; empty once it can again, or once there is nothing to keep.
    void keepingChanged(const QString& failure);

private:
    void setFailure(const QString& failure);

    void scheduleWrite();
    void followModified(bool modified);

    DocumentCommands& commands_;
    const ChannelTableModel& table_;
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    QString failure_;
};
