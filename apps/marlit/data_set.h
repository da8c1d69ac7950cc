// The data set the player plays: the folder "1" inside its program folder
// holds the picture pack that the converter wrote for this screen size (the
// voice pack and the music beside it are optional). Checked before the
// player starts, so that a wrong --dir is named instead of played as a
// black screen.
#pragma once

#include <optional>
#include <string>

namespace marlit::app {

// The picture pack's name for the 640 x 480 build (vga) or the 320 x 240 one.
const char* picturePackName(bool vga);

// None when `folder` (a host path as the user gave it; `systemFolder` is
// the same as the player's path) holds the data set of this build; else what
// is wrong, naming the file looked for and what was found instead one level
// off (the pack directly in the folder, or the other screen size's pack),
// with what to do about it.
std::optional<std::string> missingDataSet(const std::string& folder,
                                          const std::string& systemFolder, bool vga);

// The same when the folder's marlitpc.cfg names the picture pack (GDATA):
// none when that pack is there and readable, else what is wrong. Without
// GDATA the data folder "1" is checked as above.
std::optional<std::string> missingConfiguredDataSet(const std::string& folder,
                                                    const std::string& systemFolder, bool vga);

}  // namespace marlit::app
