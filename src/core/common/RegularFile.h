#pragma once

#include <QString>

// Only regular files are read or replaced: opening a FIFO or a device to read it may wait for
// ever, and a save would put a plain file in its place.
namespace RegularFile {

// Why `path` cannot be read or replaced as a file (a folder, FIFO, device or socket is there);
// empty when it is a regular file or nothing is there.
QString refusal(const QString& path);

} // namespace RegularFile
