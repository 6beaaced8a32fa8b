#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The readers take paths, so each input is written to a file in one temporary folder that
// lives as long as the process.
namespace FuzzFiles {

// The folder, created on first use.
QString folder();

// Writes the input as folder()/name, replacing the previous input, and answers its path.
QString writeInput(const std::uint8_t* data, std::size_t size, const QString& name);

} // namespace FuzzFiles
