#include "converter/source_folder.h"

#include <filesystem>

#include "base/files.h"

namespace marlit {

namespace fs = std::filesystem;

bool isGameFolder(const std::string& hostFolder) {
    if (hostFolder.empty())
        return false;  // not the current folder
    std::error_code ec;
    for (const char* program : kGamePrograms) {
        if (fs::is_regular_file(resolveHostCase((fs::path(hostFolder) / program).string()), ec))
            return true;
    }
    return false;
}

std::string withoutTrailingSeparator(std::string hostFolder) {
    while (hostFolder.size() > 1 && hostFolder.back() == '/')
        hostFolder.pop_back();
    return hostFolder;
}

}  // namespace marlit
