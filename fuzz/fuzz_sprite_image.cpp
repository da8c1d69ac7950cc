// A sprite record from a save file, restored, updated and composed: whatever
// it holds, nothing may be read or written outside the pictures or the
// screen.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "player/graphics/compositor.h"
#include "player/graphics/sprite_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marlit;
    auto sprite = readSpriteImage({data, size}, 1000);
    if (!sprite)
        return 0;
    Compositor compositor;
    for (int slot : {0, 11, 28}) {
        auto p = std::make_unique<WorkingPicture>();
        p->width = 24 + slot;
        p->height = 16 + slot;
        p->pixels.assign(static_cast<size_t>(p->width) * p->height * 4, 0x80);
        compositor.pictures.put(slot, std::move(p));
    }
    const MarkDirty ignore = [](const Rect&) {};
    compositor.adopt(5, std::move(sprite), ignore);
    std::vector<uint8_t> screen(64 * 48 * 3);
    const Surface dst{screen.data(), 64, 48, 64 * 3};
    const Rect whole{0, 0, 64, 48};
    ScreenLook look;
    compositor.resetDrawLists();
    TickClock clock([] { return 1000u; });
    compositor.updateSprites(clock, look.brightness);
    compositor.markMoved(ignore);
    compositor.compose(dst, {&whole, 1}, look);
    return 0;
}
