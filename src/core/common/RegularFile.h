#pragma once

#include <QString>

// Only regular files are read or replaced: opening a FIFO or a device to read it may wait for
// ever, and a save would put a plain file in its place.
namespace RegularFile {

// Why `path` cannot be read or replaced as a file (a folder, FIFO, device or socket is there);
// empty when it is a regular file or nothing is there.
QString refusal(const QString& path);

// Why the user may not replace the file at `path`: it is read-only (for root too: a file
// nobody may write is protected on purpose), or the system refuses. Empty when nothing is there.
QString writeRefusal(const QString& path);

// "Not a regular file", for what is neither a file nor a folder.
QString notRegularText();

} // namespace RegularFile
