// The settings as marlitpc.cfg keeps them: read once at game
// initialisation, written once when the window is destroyed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "player/core/settings.h"

namespace marlit {

class ConfigCache;
struct ConfigKey;

constexpr std::string_view kConfigFileName = "marlitpc.cfg";

// The host path of marlitpc.cfg in a program folder (a system path ending
// with "\").
std::string configFilePath(std::string_view programFolder);

// A program folder without marlitpc.cfg (and without its backup) gets the
// keys a fresh installation's file carries: music, voices and sound effects
// on. Without them the table's defaults would leave a new player silent
// until the user found the menu. True when the keys were put into the cache
// (Flush writes them with the rest).
bool seedInstalledSettings(ConfigCache& cache, const std::string& configPath);

// Reads every settings key of the table in its reading order, then NAME.
// An absent key gives the key's default; a value the key's rule ignores
// leaves what `settings` holds. `applied` is told of every key after its
// value went in (the menu shows the value with its check marks).
void ReadSettings(ConfigCache& cache, const std::string& configPath, Settings& settings,
                  const std::function<void(const ConfigKey&)>& applied = {});

// Writes the keys that are written back, in their writing order, as
// decimal numbers with their sign, into the cached lines (Flush writes the
// file).
void WriteSettings(ConfigCache& cache, const std::string& configPath, const Settings& settings);

}  // namespace marlit
