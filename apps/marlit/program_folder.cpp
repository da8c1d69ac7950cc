#include "apps/marlit/program_folder.h"

#include <filesystem>
#include <system_error>

#include "base/system_folder.h"

namespace marlit::app {

std::string executableFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ".";
    return exe.parent_path().string();
}

std::optional<std::string> systemFolder(const std::string& hostFolder, std::string* error) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::canonical(hostFolder, ec);
    if (ec) {
        *error = hostFolder +
                 ": no such folder; --dir names the folder that holds the data "
                 "folder \"1\"";
        return std::nullopt;
    }
    if (!std::filesystem::is_directory(p, ec)) {
        *error = hostFolder +
                 " is a file, not a folder; --dir names the folder that holds the "
                 "data folder \"1\"";
        return std::nullopt;
    }
    auto out = systemFolderPath(p.string());
    if (!out)
        *error = p.string() + ": the folder's name cannot be written in Shift-JIS";
    return out;
}

}  // namespace marlit::app
