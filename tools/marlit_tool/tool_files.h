// The files named on marlit-tool's command line: read whole and written
// whole, with the system's reason in the message when that fails.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marlit::tool {

// The file's bytes; none after printing "cannot read PATH: reason".
std::optional<std::vector<uint8_t>> readInput(const std::string& path);
// Writes the file atomically; false after printing "cannot write PATH: reason".
bool writeOutput(const std::string& path, std::span<const uint8_t> bytes);
// Makes the folder with its parents when missing; false after printing why.
bool makeOutputFolder(const std::string& path);

}  // namespace marlit::tool
