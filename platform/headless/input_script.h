// Scripted input for headless runs. One event per line:
//
//   TIME key down NAME | key up NAME | press NAME | tap X Y | drag X Y |
//        release | wheel up|down | command ID | quit | wait mode N |
//        wait script LABEL | every MS tap X Y | every MS press NAME
//
// TIME is the virtual time in ms from the start of the run, never smaller
// than the line before; "wait mode N" ends the part of the script before
// it as soon as the player is in the top-level mode N (0 the logo, 1 the
// title, 99 the story ...), or "wait script LABEL" as soon as the story
// runs the script LABEL, though not before TIME: what that part still
// had to come does not happen, except that keys and the stylus are let go.
// A wait's TIME may be smaller than the lines before it, and the lines after
// it count their times from the moment it ends. So a script can read a
// story whose pace it does not know: taps every quarter second until the
// story leaves for the map, then the map's choice. "every MS" repeats a tap
// (with its release 50 ms later) or a press every MS ms (100 to 60000)
// until its part ends, for at most ten minutes; NAME is one of up, down, left, right, start, a, b,
// c, menu (a game controller's Start); "wheel" turns the mouse wheel one
// notch; "press" is a key down and, 50 ms later, its key up; X and Y are
// landscape screen pixels; "tap" puts the stylus down, "drag" moves it,
// "release" lifts it; "quit" asks the window to close. Empty lines and
// lines starting with "#" are skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/events.h"

namespace marlit {

// What a wait of the script waits for: the game in a top-level mode, or
// the story running a script.
struct GameWait {
    int mode = -1;       // 0 to 99; -1 when it waits for a script
    std::string script;  // the script's label, when it waits for one
};

struct ScriptedEvent {
    ScriptedEvent() = default;
    ScriptedEvent(uint32_t t, const Event& e, std::optional<GameWait> w = std::nullopt)
        : time(t), event(e), wait(std::move(w)) {}

    uint32_t time = 0;  // ms from the start of the run or from the last wait
    Event event;        // stylus positions already on the device screen
    // Set: not an event but a wait.
    std::optional<GameWait> wait;
};

struct ScriptScreen {
    int width = 320;  // landscape screen size
    int height = 240;
    // The 640 build's window reports half-size stylus coordinates.
    bool halfStylus = false;
};

constexpr uint32_t kPressLength = 50;
constexpr size_t kMaxScriptBytes = 16 * 1024 * 1024;

// The events in the order they happen; none with `error` ("line N: ...")
// when a line is not understood or out of range.
std::optional<std::vector<ScriptedEvent>> parseInputScript(std::string_view text,
                                                           const ScriptScreen& screen,
                                                           std::string* error);

// Reads and parses a script file (at most kMaxScriptBytes).
std::optional<std::vector<ScriptedEvent>> loadInputScript(const std::string& path,
                                                          const ScriptScreen& screen,
                                                          std::string* error);

}  // namespace marlit
