// Where the data named in marlitpc.cfg's [HXRT_INST_DIR] lies. Values are
// system paths ("\" between the parts, Shift-JIS); on this system a value
// may also use "/", and a drive ("C:\...") names the root.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "player/core/data_paths.h"

namespace marlit {

class ConfigCache;

// The section of the data keys, and the longest value they take.
constexpr std::string_view kDataSection = "HXRT_INST_DIR";
constexpr size_t kDataPathCapacity = 127;

// The full path of a value under the program folder P (ending with "\"):
// an empty value is P; a value beginning with "\" (or a drive) is taken as
// it stands; anything else is relative to P, where "..\" goes up one folder
// (never above the root) and ".\" stays.
std::string ResolveDataPath(std::string_view value, std::string_view programFolder);

// The 640 x 480 build's name of a picture pack: the file name cut at its
// last "." and "_v.mlz" put instead ("1\grpack.mlz" -> "1\grpack_v.mlz"); a
// file name without "." gets "_v.mlz" appended. A folder (a path ending
// with "\") stays as it is.
std::string vgaPackPath(std::string_view path);

// Reads GDATA, VDATA, SEDATA, MDATA, SAVEDATA and MOVDATA from the cached
// file at `configPath` into `paths`. A key that is absent, empty or too long
// keeps the path `paths` holds (the start-up default); folders end with "\".
void readDataPaths(ConfigCache& cache, const std::string& configPath,
                   std::string_view programFolder, bool vga, DataPaths& paths);

// Makes sure the save folder can be written: when it does not exist or is
// not writable, says so once through `report` and puts the per-user folder
// $XDG_DATA_HOME/marlit/NAME (or ~/.local/share/marlit/NAME) in its place,
// NAME being the program folder's name. False when no folder could be had.
bool settleSaveFolder(DataPaths& paths, std::string_view programFolder,
                      const std::function<void(const std::string&)>& report);

}  // namespace marlit
