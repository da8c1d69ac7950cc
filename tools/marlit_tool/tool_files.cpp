#include "tools/marlit_tool/tool_files.h"

#include <filesystem>
#include <system_error>

#include "base/files.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {

std::optional<std::vector<uint8_t>> readInput(const std::string& path) {
    std::string why;
    auto bytes = readHostFile(path, 0, &why);
    if (!bytes)
        fail("cannot read " + path + ": " + why);
    return bytes;
}

bool writeOutput(const std::string& path, std::span<const uint8_t> bytes) {
    std::string why;
    if (writeHostFileAtomic(path, bytes, &why))
        return true;
    fail("cannot write " + path + ": " + why);
    return false;
}

bool makeOutputFolder(const std::string& path) {
    std::error_code made, seen;
    std::filesystem::create_directories(path, made);
    if (std::filesystem::is_directory(path, seen))
        return true;
    fail("cannot make the folder " + path + ": " +
         (made ? made.message() : "a file of that name is in the way"));
    return false;
}

}  // namespace marlit::tool
