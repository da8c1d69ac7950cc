// Whole files as bytes, for tests that make their inputs on disk.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace marlit::test {

// Writes the file, creating its folder when missing.
void writeFileBytes(const std::string& path, std::span<const uint8_t> bytes);
// The file's bytes, or none at all when it cannot be read.
std::vector<uint8_t> readFileBytes(const std::string& path);
// The names of the entries of a folder, sorted; none when it cannot be read.
std::vector<std::string> folderNames(const std::string& folder);

}  // namespace marlit::test
