#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The physical floor of the file operations: the same bytes moved with plain POSIX calls and
// nothing else, no parsing, no Qt.
namespace RawFileIo {

// Reads the whole file; answers the number of bytes read, or -1 when it cannot be read.
long long Read(const std::string& path, std::vector<char>& buffer);

// Writes the bytes to a temporary file beside the target, flushes them to the disk and
// renames the temporary file over the target: the system calls of a safe save, which the
// editor's saves make as well. Answers false when any call fails.
bool WriteAndReplace(const std::string& path, const std::vector<char>& bytes);

} // namespace RawFileIo
