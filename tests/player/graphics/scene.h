// A compositor with a small back buffer and a fake clock, run frame by frame
// the way the frame tick runs it.
#pragma once

#include <memory>
#include <vector>

#include "base/clock.h"
#include "player/graphics/compositor.h"
#include "tests/player/graphics/pixels.h"

namespace marlit::test {

struct Scene {
    uint32_t time = 1000;
    TickClock clock{[this] { return time; }};
    Compositor compositor;
    TestSurface screen;
    ScreenLook look;
    std::vector<Rect> dirty;
    MarkDirty mark;

    explicit Scene(int w = 16, int h = 16) : screen(w, h, {1, 2, 3}) {
        mark = [this](const Rect& r) {
            dirty.push_back(intersect(r, {0, 0, screen.width, screen.height}));
        };
    }
    void advance(uint32_t ms) { time += ms; }

    // A picture of one colour in a slot.
    void picture(int slot, int w, int h, Bgr colour, int alpha = 255) {
        TestPicture p(w, h, colour, alpha);
        auto pic = std::make_unique<WorkingPicture>();
        pic->width = w;
        pic->height = h;
        pic->pixels = p.pixels;
        compositor.pictures.put(slot, std::move(pic));
    }

    // A sprite showing a whole picture with its top-left at (x, y).
    Sprite* show(int spriteSlot, int pictureSlot, int x, int y, int layer) {
        Sprite* s = compositor.create(spriteSlot, mark);
        if (!s)
            return nullptr;
        const WorkingPicture* p = compositor.pictures.get(pictureSlot);
        s->command.picture = pictureSlot;
        s->command.source = {0, 0, p ? p->width : 0, p ? p->height : 0};
        s->width = s->command.source.width();
        s->height = s->command.source.height();
        s->x = x * 1000;
        s->y = y * 1000;
        s->layer = layer;
        s->recordMove();
        return s;
    }

    // One frame after the mode step; everything dirty is recomposed.
    void frame() {
        compositor.resetDrawLists();
        compositor.updateSprites(clock, look.brightness);
        compositor.removeFinished(mark);
        compositor.markMoved(mark);
        compositor.compose(screen.view(), dirty, look);
        dirty.clear();
    }
    // The whole screen recomposed.
    void frameAll() {
        dirty.push_back({0, 0, screen.width, screen.height});
        frame();
    }
    Bgr at(int x, int y) const { return screen.at(x, y); }
};

}  // namespace marlit::test
