// What the names in a script's commands mean to the player: the pack
// entries the picture commands load and the date a script's own name
// sets (the jump command's special names are formats/mes_jump_targets.h). The player and
// marlit-tool verify both read them from here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marlit {

// The background command's picture: "AdvData\grp\" + name + ".rbp".
std::string backgroundPicturePath(std::string_view name);
// A character or overlay picture: the same, a final "@" of the name left
// out.
std::string characterPicturePath(std::string_view name);
// "system\map_a" and "system\map_p" name the map screen's pictures, which
// the background command leaves to that screen.
bool isMapBackground(std::string_view name);

// The in-game date a script's name sets when it is loaded: its first four
// characters as MMDD ("0225a_f01": 25 February); none for a name without
// one, which keeps the date of the script before.
struct ScriptDate {
    int month = 0;
    int day = 0;
};
std::optional<ScriptDate> dateOfScript(std::string_view label);

}  // namespace marlit
