// Finding the font that stands in for the handheld's fixed-pitch gothic
// face: a Japanese gothic font from the fonts installed on this machine.
#pragma once

#include <optional>
#include <string>

namespace marlit {

// The family looked for first (Debian's fonts-ipafont-gothic).
inline constexpr const char* kPreferredGothicFamily = "IPAGothic";

// The file of the default font: IPAGothic when it is installed, else any
// fixed-pitch (or dual-width) font that covers Japanese. None, with
// `error` saying what to do, when fontconfig finds neither.
std::optional<std::string> findGothicFont(std::string* error);

}  // namespace marlit
