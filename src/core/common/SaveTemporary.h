#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The temporary file a save writes beside its target and then puts in the target's place:
// named after the target, with ".zr415-" and six characters (".zr415-" and six alone for a
// very long name). While its save runs it is held (locked; on Windows open), so that no other
// save takes it for the leftover of a killed one.
class SaveTemporary
{
public:
    // Creates it beside `target` under a name no other file has.
    explicit SaveTemporary(const QFileInfo& target);
    // Removes it, unless it took the target's place.
    ~SaveTemporary();
    SaveTemporary(const SaveTemporary&) = delete;
    SaveTemporary& operator=(const SaveTemporary&) = delete;

    // The system's description of the first failure; empty while everything succeeded.
    const QString& error() const { return error_; }
    // Gives it the permission bits of the file it replaces (and, for root, the owner).
    void takePermissionsOf(const QString& target);
    // Writes the bytes and waits until they are on the disk.
    bool write(const QByteArray& bytes);
    // Puts it in the target's place, and the folder's new entry on the disk.
    bool replace(const QString& target);

    // Whether `name` is such a temporary file, of the file `targetName` or, when that is
    // empty, of any file.
    static bool isTemporaryName(const QString& name, const QString& targetName);
    // Removes the temporary file at `path` unless a save still holds it.
    static void removeUnlessHeld(const QString& path);

private:
    bool create(const QFileInfo& target);
    bool holdsItsName();
    bool sync();

    QFile file_;
    QString error_;
    bool created_ = false;
    bool replaced_ = false;
};
