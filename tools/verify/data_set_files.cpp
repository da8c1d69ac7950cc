#include "tools/verify/data_set_files.h"

#include <filesystem>

#include "base/files.h"
#include "base/sjis.h"
#include "base/system_folder.h"
#include "formats/mlz_reader.h"
#include "player/persist/config_cache.h"
#include "player/persist/data_path.h"

namespace marlit {

namespace {

constexpr const char* kConfigFile = "marlitpc.cfg";

std::set<std::string> foldedNames(const MlzPack& pack, std::vector<std::string>* inOrder) {
    std::set<std::string> names;
    for (const MlzEntry& e : pack.entries) {
        names.insert(foldCase(e.name));
        if (inOrder)
            inOrder->push_back(e.name);
    }
    return names;
}

}  // namespace

std::optional<DataSetFiles> DataSetFiles::open(const std::string& programFolder, bool vga,
                                               std::string* error) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::canonical(programFolder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        *error = programFolder +
                 ": no such folder; name the folder that holds the data folder "
                 "\"1\" (the folder the player's --dir names)";
        return std::nullopt;
    }
    auto system = systemFolderPath(folder.string());
    if (!system) {
        *error = folder.string() + ": the folder's name cannot be written in Shift-JIS";
        return std::nullopt;
    }
    DataSetFiles set;
    set.paths_ = DataPaths::defaults(*system, vga);
    const std::string config = (folder / kConfigFile).string();
    if (fileExists(*system + kConfigFile)) {
        ConfigCache cache;
        readDataPaths(cache, config, *system, vga, set.paths_);
    }
    MlzReader reader;
    const MlzPack* pack = reader.OpenIndex(set.paths_.picturePack);
    if (!pack) {
        *error = hostPath(set.paths_.picturePack) +
                 ": no readable picture pack (missing, or not a pack); convert the game into " +
                 (folder / "1").string() + (vga ? " with --screen 640x480" : "") +
                 ", or check GDATA in " + config;
        return std::nullopt;
    }
    set.pack_ = foldedNames(*pack, &set.entries_);
    if (const MlzPack* voices = reader.OpenIndex(set.paths_.voicePack)) {
        set.voices_ = foldedNames(*voices, nullptr);
        set.voicePackRead_ = true;
    }
    return set;
}

std::string DataSetFiles::packFolder() const {
    return std::filesystem::path(hostPath(paths_.picturePack)).parent_path().string();
}

bool DataSetFiles::hasPackEntry(std::string_view name) const {
    return pack_.count(foldCase(name)) > 0;
}

bool DataSetFiles::hasVoice(std::string_view name) const {
    return voices_.count(foldCase(name)) > 0;
}

bool DataSetFiles::hasMusic(std::string_view fileName) const {
    return fileExists(paths_.musicFolder + std::string(fileName));
}

bool DataSetFiles::hasEffect(std::string_view fileName) const {
    return fileExists(paths_.soundEffectFolder + std::string(fileName));
}

}  // namespace marlit
