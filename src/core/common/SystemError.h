#pragma once

#include <QString>

// The system's own description of a failure, as the user is shown it.
namespace SystemError {

// For a C library error number (errno).
QString text(int error);
// For the last failed system call of this thread: errno, or on Windows GetLastError().
QString last();
// What the system says of links that lead round in a circle.
QString linkLoopText();

} // namespace SystemError
