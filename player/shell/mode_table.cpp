#include "player/shell/mode_table.h"

namespace marlit {

namespace {

bool validMode(int mode) {
    return mode >= 0 && mode < ModeTable::kModeCount;
}

}  // namespace

ModeScreen* ModeTable::set(int mode, std::unique_ptr<ModeScreen> screen) {
    if (!validMode(mode))
        return nullptr;
    auto& slot = screens_[static_cast<size_t>(mode)];
    slot = std::move(screen);
    return slot.get();
}

ModeScreen* ModeTable::get(int mode) const {
    return validMode(mode) ? screens_[static_cast<size_t>(mode)].get() : nullptr;
}

bool ModeTable::run(int mode) const {
    ModeScreen* screen = get(mode);
    if (!screen)
        return false;
    screen->step();
    return true;
}

}  // namespace marlit
