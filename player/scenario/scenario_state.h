// The scenario state: the top-level mode the shell switches on, and what the
// interpreter keeps between frames (the script and its position, the
// condition, the choice being gathered, the background, the effects). The
// loaded script itself and the variables live beside it in the engine.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace marlit {

// The choices gathered by commands 8, "E" and "M" for the choice screen.
struct ChoiceSet {
    static constexpr int kMax = 4;
    static constexpr size_t kTextBytes = 47;   // a 48-byte field
    static constexpr size_t kLabelBytes = 23;  // a 24-byte field
    int32_t pending = 0;
    int32_t count = 0;
    std::array<std::string, kMax> texts;   // Shift-JIS
    std::array<std::string, kMax> labels;  // target labels
    int32_t last = 0;                      // the index chosen last
};

// The scene gallery's step that takes a replayed scene's end.
constexpr int32_t kSceneReplayReturn = 30;

struct ScenarioState {
    int32_t mode = 0;  // the top-level mode, see mode_table.h
    int32_t subState = 0;
    int32_t stateWord3 = 0;
    // Set by the scenario to end the program; the frame tick closes the
    // window in the same tick.
    int32_t quitRequest = 0;

    // --- the script in play ---
    std::string scriptName;  // at most 63 bytes
    uint32_t position = 0;   // byte offset into the command stream
    // 0 when the command at the position is entered for the first time.
    int32_t repeat = 0;
    int32_t condition = 0;
    int32_t message = 0;  // the current message number
    uint16_t dayEndSelector = 0;
    ChoiceSet choice;

    // --- the background, design coordinates ---
    int16_t backgroundX = 0;
    int16_t backgroundY = 0;
    int16_t scrollTargetX = 0;
    int16_t scrollTargetY = 0;
    int32_t windowShown = 0;  // the message window
    int32_t pictureChanged = 0;
    int32_t mannerHidden = 0;

    // Set while a scene chosen in the scene gallery replays: its end (a
    // jump to another script, or the day's end before the map) returns to
    // the gallery at sub-state kSceneReplayReturn instead of going on.
    int32_t sceneReplay = 0;

    // --- the ending roll and the page-wait mark ---
    int32_t ending = 0;
    int32_t pageMarkShown = 0;
};

}  // namespace marlit
