// Recognising the installed game's folder, as the converter's front ends
// do before a conversion starts.
#pragma once

#include <array>
#include <string>

namespace marlit {

// The game's program files; a game folder holds one of them.
inline constexpr std::array<const char*, 2> kGamePrograms{"ZERIVAD.exe", "ZUDOVI.exe"};

// True when the folder (a host path, with or without a trailing "/") holds
// one of the program files, under any ASCII case of its name.
bool isGameFolder(const std::string& hostFolder);

// The folder as it is shown: without trailing separators; the root stays
// "/".
std::string withoutTrailingSeparator(std::string hostFolder);

}  // namespace marlit
