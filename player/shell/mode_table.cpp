#include "player/shell/mode_table.h"

namespace marlit {

void ModeTable::set(int mode, ModeStep step) {
    if (mode < 0 || mode >= kModeCount)
        return;
    steps_[static_cast<size_t>(mode)] = std::move(step);
}

bool ModeTable::run(GameContext& context, int mode) const {
    if (mode < 0 || mode >= kModeCount)
        return false;
    const ModeStep& step = steps_[static_cast<size_t>(mode)];
    if (!step)
        return false;
    step(context);
    return true;
}

}  // namespace marlit
