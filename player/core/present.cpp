#include "player/core/present.h"

#include "player/core/screen_copy.h"

namespace marlit {

namespace {

void copyShaken(const Display& display, uint8_t* base, const Rect& rect, int dx, int dy) {
    Rect source = rect;
    Rect dest = rect;
    if (dx < 0) {
        source.left -= dx;
        dest.right += dx;
    } else if (dx > 0) {
        source.right -= dx;
        dest.left += dx;
    }
    if (dy < 0) {
        source.top -= dy;
        dest.bottom += dy;
    } else if (dy > 0) {
        source.bottom -= dy;
        dest.top += dy;
    }
    copyRectToScreen(display, base, &dest, source.left, source.top);
}

}  // namespace

void present(Display& display, DeviceScreen& screen, const DirtyRectList& dirty, bool full,
             int shakeX, int shakeY) {
    if (!full && dirty.count() == 0)
        return;
    uint8_t* base = screen.beginDraw();
    if (!base)
        return;
    if (full) {
        copyShaken(display, base, Rect{0, 0, display.width(), display.height()}, shakeX, shakeY);
    } else {
        for (size_t i = 0; i < dirty.count(); ++i) {
            copyShaken(display, base, dirty.get(i), shakeX, shakeY);
        }
    }
    screen.endDraw();
}

void repaint(Display& display, DeviceScreen& screen) {
    uint8_t* base = screen.beginDraw();
    if (!base)
        return;
    copyRectToScreen(display, base, nullptr, 0, 0);
    screen.endDraw();
}

}  // namespace marlit
