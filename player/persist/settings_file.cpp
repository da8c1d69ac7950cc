#include "player/persist/settings_file.h"

#include <algorithm>
#include <vector>

#include "base/atomic_file.h"
#include "base/files.h"
#include "base/sjis.h"
#include "player/persist/config_cache.h"
#include "player/persist/config_keys.h"

namespace marlit {

std::string configFilePath(std::string_view programFolder) {
    return hostPath(std::string(programFolder) + std::string(kConfigFileName));
}

bool seedInstalledSettings(ConfigCache& cache, const std::string& configPath) {
    if (fileExists(configPath) || fileExists(backupPathOf(configPath)))
        return false;
    constexpr int32_t kOn = 2;
    for (const ConfigKey& key : configKeys()) {
        if (key.field == &Settings::pcm || key.field == &Settings::voicePlay ||
            key.field == &Settings::sePlay)
            cache.WriteString(key.section, key.key, std::to_string(kOn), configPath);
    }
    return true;
}

void ReadSettings(ConfigCache& cache, const std::string& configPath, Settings& settings,
                  const std::function<void(const ConfigKey&)>& applied) {
    for (const ConfigKey& key : configKeys()) {
        const int32_t value = cache.ReadInt(key.section, key.key, key.defaultValue(), configPath);
        setSetting(settings, key, value);
        if (applied)
            applied(key);
    }
    auto name = cache.ReadString(kNameSection, kNameKey, kNameCapacity, configPath);
    textCopyBounded(settings.name, sizeof settings.name, name ? *name : kDefaultName);
}

void WriteSettings(ConfigCache& cache, const std::string& configPath, const Settings& settings) {
    std::vector<const ConfigKey*> written;
    for (const ConfigKey& key : configKeys()) {
        if (key.writeOrder >= 0)
            written.push_back(&key);
    }
    std::sort(written.begin(), written.end(),
              [](const ConfigKey* a, const ConfigKey* b) { return a->writeOrder < b->writeOrder; });
    for (const ConfigKey* key : written) {
        cache.WriteString(key->section, key->key, std::to_string(settings.*key->field), configPath);
    }
}

}  // namespace marlit
