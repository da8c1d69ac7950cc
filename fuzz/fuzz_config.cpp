// marlitpc.cfg's reader on untrusted bytes: the settings, the folder keys
// and a write back, which must keep every line it does not change.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/files.h"
#include "player/core/data_paths.h"
#include "player/core/settings.h"
#include "player/persist/config_cache.h"
#include "player/persist/data_path.h"
#include "player/persist/settings_file.h"

namespace {

const std::string& scratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/fuzz_config.XXXXXX";
        const char* dir = ::mkdtemp(pattern);
        if (!dir)
            std::abort();
        return std::string(dir) + "/marlitpc.cfg";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marlit;
    const std::string& path = scratchFile();
    if (!writeHostFileAtomic(path, std::span(data, size)))
        return 0;
    ::unlink((path + ".bak").c_str());

    ConfigCache cache;
    Settings settings;
    ReadSettings(cache, path, settings);
    if (settings.name[sizeof settings.name - 1] != 0)
        __builtin_trap();
    for (bool vga : {false, true}) {
        DataPaths paths = DataPaths::defaults("\\p\\", vga);
        readDataPaths(cache, path, "\\p\\", vga, paths);
        if (paths.picturePack.empty() || paths.musicFolder.back() != '\\')
            __builtin_trap();
    }
    const auto before = cache.lines();
    for (const std::string& line : before) {
        if (line.size() > kConfigLineMax || line.find('\n') != std::string::npos)
            __builtin_trap();
    }
    WriteSettings(cache, path, settings);
    // Writing keys only ever adds or replaces lines.
    if (cache.lines().size() < before.size())
        __builtin_trap();
    if (!cache.Flush())
        return 0;
    ConfigCache again;
    Settings reread;
    ReadSettings(again, path, reread);
    if (reread.masterVol != settings.masterVol || reread.keyCenCtrl != settings.keyCenCtrl)
        __builtin_trap();
    return 0;
}
