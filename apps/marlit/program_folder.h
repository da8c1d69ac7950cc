// The program folder: where marlitpc.cfg and the data folder "1" live.
#pragma once

#include <optional>
#include <string>

namespace marlit::app {

// The folder of the running program (a host path).
std::string executableFolder();

// A host folder as the player's system path: absolute, Shift-JIS, "\"
// between the parts and at the end. None with `error` set when the folder
// does not exist or its name has no Shift-JIS form.
std::optional<std::string> systemFolder(const std::string& hostFolder, std::string* error);

}  // namespace marlit::app
