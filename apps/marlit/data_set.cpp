#include "apps/marlit/data_set.h"

#include <filesystem>
#include <system_error>

#include "base/files.h"
#include "formats/mlz_reader.h"
#include "player/core/data_paths.h"
#include "player/persist/config_cache.h"
#include "player/persist/data_path.h"
#include "player/persist/settings_file.h"

namespace marlit::app {

namespace fs = std::filesystem;

namespace {

bool present(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(resolveHostCase(file.string()), ec);
}

const char* programFor(bool vga) {
    return vga ? "marlit_vga" : "marlit";
}

const char* screenFor(bool vga) {
    return vga ? "640x480" : "320x240";
}

}  // namespace

const char* picturePackName(bool vga) {
    return vga ? "grpack_v.mlz" : "grpack.mlz";
}

std::optional<std::string> missingDataSet(const std::string& folder,
                                          const std::string& systemFolder, bool vga) {
    fs::path dir = fs::path(folder).lexically_normal();
    if (!dir.has_filename() && dir.has_parent_path() && dir != dir.root_path())
        dir = dir.parent_path();
    const fs::path data = dir / "1";
    const fs::path wanted = data / picturePackName(vga);
    if (present(wanted)) {
        MlzReader reader;
        if (reader.OpenIndex(systemFolder + "1\\" + picturePackName(vga)))
            return std::nullopt;
        return wanted.string() +
               " is not a readable pack (bad header, or an index cut short or that does not "
               "describe its data); convert the game again";
    }

    std::string text = "no data set in " + dir.string() + ": " + wanted.string() + " is missing";
    if (present(dir / picturePackName(vga))) {
        // One level up: the converter wrote straight into the program folder,
        // or --dir names the data folder itself.
        text += ", but " + (dir / picturePackName(vga)).string() + " is there. ";
        std::error_code ec;
        const fs::path full = fs::weakly_canonical(dir, ec);
        if (!ec && full.filename() == "1" && full.has_parent_path()) {
            text += "--dir names the folder above the data folder \"1\": run with --dir " +
                    full.parent_path().string();
        } else {
            text +=
                "The player reads its data set from the folder \"1\" inside --dir: move the "
                "converted files into " +
                data.string() + " (or convert with --out " + data.string() + ")";
        }
        return text;
    }
    if (present(data / picturePackName(!vga))) {
        text += ", but " + (data / picturePackName(!vga)).string() + " is there: that is the " +
                screenFor(!vga) + " data set, which " + programFor(!vga) +
                " plays (or convert again with --screen " + screenFor(vga) + ")";
        return text;
    }
    text += ". Convert the game into that folder first: convMarlitPC GAME_FOLDER --out " +
            data.string() + (vga ? " --screen 640x480" : "");
    return text;
}

std::optional<std::string> missingConfiguredDataSet(const std::string& folder,
                                                    const std::string& systemFolder, bool vga) {
    const DataPaths defaults = DataPaths::defaults(systemFolder, vga);
    DataPaths paths = defaults;
    ConfigCache cache;
    const std::string config = configFilePath(systemFolder);
    readDataPaths(cache, config, systemFolder, vga, paths);
    if (paths.picturePack == defaults.picturePack)
        return missingDataSet(folder, systemFolder, vga);
    MlzReader reader;
    if (reader.OpenIndex(paths.picturePack))
        return std::nullopt;
    const std::string pack = hostPath(paths.picturePack);
    return pack + (present(pack) ? " is not a readable pack" : " is missing") + ": GDATA in " +
           config + " names it" +
           (vga ? " (with \"_v.mlz\" for " + std::string(screenFor(vga)) + ")" : "") +
           "; correct GDATA, or remove it to play the data set in " +
           (fs::path(folder) / "1").string();
}

}  // namespace marlit::app
