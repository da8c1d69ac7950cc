// The headless player's input script on arbitrary bytes: it is refused or
// gives events in time order within each part between waits, with stylus
// positions on the device screen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/headless/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (marlit::ScriptScreen screen :
         {marlit::ScriptScreen{320, 240, false}, marlit::ScriptScreen{640, 480, true}}) {
        std::string error;
        auto events = marlit::parseInputScript(text, screen, &error);
        if (!events) {
            if (error.empty())
                std::abort();
            continue;
        }
        int deviceWidth = screen.halfStylus ? screen.height / 2 : screen.height;
        int deviceHeight = screen.halfStylus ? screen.width / 2 : screen.width;
        uint32_t last = 0;
        for (const auto& e : *events) {
            // A wait starts a part whose times count afresh; its own time
            // belongs to the part before.
            if (e.wait) {
                last = 0;
                continue;
            }
            if (e.time < last)
                std::abort();
            last = e.time;
            if (e.event.x < 0 || e.event.x >= deviceWidth || e.event.y < 0 ||
                e.event.y >= deviceHeight) {
                std::abort();
            }
        }
    }
    return 0;
}
