// Files named on marlit-tool's command line: host paths in UTF-8, read and
// written as they are spelt (the system's "\" paths and ASCII-case lookup
// apply only inside the formats).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marlit::tool {

std::optional<std::vector<uint8_t>> readHostFile(const std::string& path);
// Writes through a temporary file renamed into place; false on any failure.
bool writeHostFile(const std::string& path, std::span<const uint8_t> data);
// The system path (Shift-JIS) naming the same file, for the readers of the
// formats; none when the path has characters Shift-JIS lacks.
std::optional<std::string> systemPathOf(const std::string& hostPath);

}  // namespace marlit::tool
