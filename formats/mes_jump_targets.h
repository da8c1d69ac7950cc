// The names the jump command ("6") takes besides scripts: the staff roll,
// the title, the end of a replayed scene, and the thirteen endings, one per
// route in the order of the route scores.
#pragma once

#include <string_view>

namespace marlit {

constexpr std::string_view kJumpToStaffRoll = "staff";
constexpr std::string_view kJumpToTitle = "main";
constexpr std::string_view kJumpToSceneEnd = "SC_END";

// The route whose ending a jump to `target` starts ("roll_n" 0, "roll_s"
// 1 ... "roll_r" 12); -1 for any other target. Names compare ASCII
// case-insensitively, as the player compares them.
int endingRouteOfJump(std::string_view target);
// Whether `target` is one of the names above rather than a script.
bool isSpecialJumpTarget(std::string_view target);

}  // namespace marlit
