#include "player/scenario/command_handlers.h"

namespace marlit {

const std::array<CommandHandler, 256>& defaultCommandHandlers() {
    static const std::array<CommandHandler, 256> table = [] {
        std::array<CommandHandler, 256> t{};
        t[2] = conditionalBlock;
        t[3] = messageNumber;
        t[4] = dayEndSelector;
        t[5] = soundEffect;
        t[6] = music;
        t[13] = windowAndShake;
        t[17] = stopMusic;
        t[27] = dayEnd;
        t['+'] = fallingPetals;
        t['.'] = background;
        t['3'] = leftCharacter;
        t['4'] = leftOverlay;
        t['5'] = voice;
        t['6'] = jumpToScript;
        t[';'] = jumpToLabel;
        t['F'] = rightCharacter;
        t['X'] = variableArithmetic;
        t['Y'] = variableCopy;
        t['['] = variableCompare;
        t['^'] = backgroundScroll;
        // The text commands ("K", "L", "M", "E", 7, 8, 9) come with the
        // message window, which sets their handlers.
        return t;
    }();
    return table;
}

}  // namespace marlit
