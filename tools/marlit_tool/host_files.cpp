#include "tools/marlit_tool/host_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/encoding.h"

namespace marlit::tool {

std::optional<std::vector<uint8_t>> readHostFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return data;
}

bool writeHostFile(const std::string& path, std::span<const uint8_t> data) {
    std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> systemPathOf(const std::string& hostPath) {
    return utf8ToSjis(hostPath);
}

}  // namespace marlit::tool
