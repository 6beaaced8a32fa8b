#pragma once

#include <QString>

// zr415-convert --self-test: reference cases built into the program (inputs and the exact
// outputs expected of them) run against this very executable, a line each, then its version
// and its SHA-256, for the record that shows the tool works where it is installed.
namespace SelfTest {

// 0 when every case passed, 1 when one failed.
int run();
// The SHA-256 of the running executable in hexadecimal, or why it could not be read.
QString executableChecksum();

} // namespace SelfTest
