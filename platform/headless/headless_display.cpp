#include "platform/headless/headless_display.h"

#include "platform/key_codes.h"

namespace marlit {

HeadlessDisplay::HeadlessDisplay(int screenWidth, int screenHeight)
    : frameBuffer_(screenHeight, screenWidth) {}

bool HeadlessDisplay::createWindow(std::string_view title) {
    title_ = title;
    windowOpen_ = true;
    return true;
}

bool HeadlessDisplay::openDisplay() {
    displayOpen_ = true;
    return true;
}

uint8_t* HeadlessDisplay::beginDraw() {
    if (!displayOpen_)
        return nullptr;
    ++beginDraws_;
    return frameBuffer_.base();
}

KeyList HeadlessDisplay::defaultKeys() {
    return standardKeyList();
}

}  // namespace marlit
