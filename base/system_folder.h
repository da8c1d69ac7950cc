// A host folder as the system path the player and the tools work with.
#pragma once

#include <optional>
#include <string>

namespace marlit {

// The system path of an absolute host folder: Shift-JIS, "\" between the
// parts and at the end. None when a name has no Shift-JIS form.
std::optional<std::string> systemFolderPath(const std::string& absoluteHostFolder);

}  // namespace marlit
