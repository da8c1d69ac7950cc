// What a save keeps of the scenario, taken by Snapshot (commands "L", 9
// and 27 on their first entry): the script and its position, the story
// variables, the pictures on screen and the sound. The persistence layer
// writes it into a save slot.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/graphics/sprite.h"
#include "player/scenario/message_page.h"
#include "player/scenario/scenario_state.h"
#include "player/scenario/scenario_vars.h"

namespace marlit {

struct RecordedSprite {
    int id = 0;
    int picture = -1;  // picture slot
    int x = 0;         // design space
    int y = 0;
    int layer = 0;
    int alpha = 256;
    bool visible = true;
    // The sprite as the compositor holds it: its draw command (the `next`
    // link cleared), screen position, transform, size and animation.
    DrawCommand command;
    int32_t screenX = 0;
    int32_t screenY = 0;
    int32_t pivotX = 0;
    int32_t pivotY = 0;
    int32_t scaleX = 1000;
    int32_t scaleY = 1000;
    int32_t angle = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool finished = false;
    std::vector<AnimationFrame> frames;
    int frame = 0;
    int frameOffsetX = 0;
    int frameOffsetY = 0;
};

struct RecordedPicture {
    int slot = 0;
    std::string path;
};

struct ScenarioRecord {
    bool taken = false;
    std::string scriptName;
    uint32_t position = 0;
    int32_t mode = 0;
    int32_t subState = 0;
    int32_t stateWord3 = 0;
    int32_t repeat = 0;
    int32_t condition = 0;
    int32_t message = 0;
    int32_t pageMarkShown = 0;
    uint16_t dayEndSelector = 0;
    ChoiceSet choice;
    int16_t backgroundX = 0;
    int16_t backgroundY = 0;
    int16_t scrollTargetX = 0;
    int16_t scrollTargetY = 0;
    int32_t windowShown = 0;
    int32_t brightness = 256;
    int32_t petalKind = 0;
    int32_t petalPeriod = 0;
    std::string music;
    std::string loopingEffect;  // the effect file looping on the effect channel
    std::string voice;
    // The message window's page, when the window was built.
    std::optional<MessagePage> page;
    std::vector<int16_t> storyVars;  // banks 0-49
    std::vector<RecordedPicture> pictures;
    std::vector<RecordedSprite> sprites;
};

}  // namespace marlit
