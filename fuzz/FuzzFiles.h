#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The readers take paths, so each input is written to a file in one temporary folder that
// lives as long as the process.
namespace FuzzFiles {

// The folder, created on first use.
QString folder();

// A subfolder of folder(), created on first use.
QString subfolder(const QString& name);

// Writes the input as `name` in `directory` (folder() when empty), replacing the previous
// input, and answers its path.
QString writeInput(const std::uint8_t* data, std::size_t size, const QString& name,
                   const QString& directory = {});

} // namespace FuzzFiles
