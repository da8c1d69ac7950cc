// Scripted input for headless runs. One event per line:
//
//   TIME key down NAME | key up NAME | press NAME | tap X Y | drag X Y |
//        release | wheel up|down | command ID | quit
//
// TIME is the virtual time in ms from the start of the run, never smaller
// than the line before; NAME is one of up, down, left, right, start, a, b,
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

struct ScriptedEvent {
    uint32_t time = 0;  // ms from the start of the run
    Event event;        // stylus positions already on the device screen
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
