#include "player/persist/data_path.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/encoding.h"
#include "base/files.h"
#include "base/sjis.h"
#include "player/persist/config_cache.h"

namespace marlit {

namespace {

// The value with "/" as "\" ("/" is never the second byte of a double-byte
// character).
std::string withBackslashes(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    return out;
}

// Drops the last folder of a path ending with "\", back to the "\" before
// it; the root stays.
void dropLastFolder(std::string& built) {
    if (built.size() <= 1)
        return;
    auto previous = findLast(std::string_view(built).substr(0, built.size() - 1), '\\');
    if (previous)
        built.resize(*previous + 1);
}

// A folder path ends with "\" (a "\" that is the second byte of a
// double-byte character is no end).
std::string withFolderEnd(std::string path) {
    auto last = findLast(path, '\\');
    if (!last || *last != path.size() - 1)
        path.push_back('\\');
    return path;
}

std::string hostFolderName(std::string_view programFolder) {
    std::filesystem::path p(hostPath(programFolder));
    if (!p.has_filename())
        p = p.parent_path();
    std::string name = p.filename().string();
    return name.empty() ? "default" : name;
}

}  // namespace

std::string ResolveDataPath(std::string_view raw, std::string_view programFolder) {
    std::string value = withBackslashes(raw);
    if (value.empty())
        return std::string(programFolder);
    if (value.size() >= 2 && value[1] == ':') {
        // A drive names the root here.
        std::string rest = value.substr(2);
        return rest.starts_with('\\') ? rest : "\\" + rest;
    }
    if (value[0] == '\\')
        return value;

    std::string built(programFolder);
    size_t i = 0;
    while (i < value.size()) {
        // One part, up to and with its "\" (skipping double-byte characters).
        size_t end = i;
        while (end < value.size() && value[end] != '\\')
            end += isLeadByte(value[end]) ? 2 : 1;
        end = std::min(end, value.size());
        const std::string_view part = std::string_view(value).substr(i, end - i);
        const bool hasSeparator = end < value.size();
        if (part == "..")
            dropLastFolder(built);
        else if (part != "." && !(part.empty() && hasSeparator))
            built.append(value, i, end - i + (hasSeparator ? 1 : 0));
        i = end + (hasSeparator ? 1 : 0);
    }
    return built;
}

std::string vgaPackPath(std::string_view path) {
    auto slash = findLast(path, '\\');
    const size_t nameStart = slash ? *slash + 1 : 0;
    const std::string_view name = path.substr(nameStart);
    if (name.empty())
        return std::string(path);
    auto dot = findLast(name, '.');
    const size_t cut = nameStart + (dot ? *dot : name.size());
    return std::string(path.substr(0, cut)) + "_v.mlz";
}

void readDataPaths(ConfigCache& cache, const std::string& configPath,
                   std::string_view programFolder, bool vga, DataPaths& paths) {
    auto read = [&](std::string_view key) {
        return cache.ReadString(kDataSection, key, kDataPathCapacity, configPath);
    };
    if (auto v = read("GDATA")) {
        std::string pack = ResolveDataPath(*v, programFolder);
        if (vga)
            pack = vgaPackPath(pack);
        paths.picturePack = pack;
        paths.picturePack2 = pack;
    }
    if (auto v = read("VDATA"))
        paths.voicePack = ResolveDataPath(*v, programFolder);
    if (auto v = read("SEDATA"))
        paths.soundEffectFolder = withFolderEnd(ResolveDataPath(*v, programFolder));
    if (auto v = read("MDATA"))
        paths.musicFolder = withFolderEnd(ResolveDataPath(*v, programFolder));
    if (auto v = read("SAVEDATA"))
        paths.saveFolder = withFolderEnd(ResolveDataPath(*v, programFolder));
    if (auto v = read("MOVDATA"))
        paths.movieFolder = withFolderEnd(ResolveDataPath(*v, programFolder));
}

bool settleSaveFolder(DataPaths& paths, std::string_view programFolder,
                      const std::function<void(const std::string&)>& report) {
    const std::string host = hostPath(paths.saveFolder);
    std::error_code ec;
    std::string wrong;
    if (!std::filesystem::exists(host, ec))
        wrong = "does not exist";
    else if (!std::filesystem::is_directory(host, ec))
        wrong = "is not a folder";
    else if (::access(host.c_str(), W_OK | X_OK) != 0)
        wrong = "cannot be written (" + lastSystemError() + ")";
    if (wrong.empty())
        return true;

    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && xdg[0] == '/')
        base = std::string(xdg) + "/marlit/";
    else if (home && home[0] == '/')
        base = std::string(home) + "/.local/share/marlit/";
    const std::string said = "the save folder " + host + " " + wrong;
    if (base.empty()) {
        report(said + ", and neither XDG_DATA_HOME nor HOME names a folder to save in instead; " +
               "set SAVEDATA in marlitpc.cfg to a writable folder");
        return false;
    }
    const std::string fallback = base + hostFolderName(programFolder);
    std::filesystem::create_directories(fallback, ec);
    auto system = utf8ToSjis(fallback);
    if (ec || !system) {
        report(said + ", and " + fallback + " cannot be made (" +
               (ec ? ec.message() : std::string("its name has no Shift-JIS form")) +
               "); set SAVEDATA in marlitpc.cfg to a writable folder");
        return false;
    }
    paths.saveFolder = withFolderEnd(withBackslashes(*system));
    report(said + "; saving in " + fallback + " instead (SAVEDATA in marlitpc.cfg names it)");
    return true;
}

}  // namespace marlit
