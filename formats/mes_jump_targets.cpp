#include "formats/mes_jump_targets.h"

#include <iterator>

#include "base/sjis.h"

namespace marlit {

namespace {

constexpr std::string_view kEndings[] = {"roll_n", "roll_s", "roll_k", "roll_w", "roll_e",
                                         "roll_m", "roll_y", "roll_a", "roll_g", "roll_t",
                                         "roll_b", "roll_d", "roll_r"};

}  // namespace

int endingRouteOfJump(std::string_view target) {
    for (size_t i = 0; i < std::size(kEndings); ++i) {
        if (sameText(target, kEndings[i]))
            return static_cast<int>(i);
    }
    return -1;
}

bool isSpecialJumpTarget(std::string_view target) {
    return sameText(target, kJumpToStaffRoll) || sameText(target, kJumpToTitle) ||
           sameText(target, kJumpToSceneEnd) || endingRouteOfJump(target) >= 0;
}

}  // namespace marlit
