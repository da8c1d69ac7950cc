#include "player/shell/test_pattern.h"

#include <algorithm>

#include "player/shell/game_context.h"

namespace marlit {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                          {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {128, 128, 128}};
constexpr PressKey kBoxKeys[TestPattern::kKeyBoxes] = {
    kPressUp, kPressDown, kPressLeft, kPressRight, kPressStart, kPressA, kPressB, kPressC};

class Canvas {
  public:
    explicit Canvas(Display& d) : d_(d) {}
    void put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= d_.width() || y >= d_.height())
            return;
        uint8_t* p = d_.backBuffer() + y * d_.pitch() + x * kBackBufferBytesPerPixel;
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    }
    void fill(const Rect& r, Rgb c) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                put(x, y, c);
        }
    }
    void frame(const Rect& r, Rgb c) {
        fill({r.left, r.top, r.right, r.top + 1}, c);
        fill({r.left, r.bottom - 1, r.right, r.bottom}, c);
        fill({r.left, r.top, r.left + 1, r.bottom}, c);
        fill({r.right - 1, r.top, r.right, r.bottom}, c);
    }

  private:
    Display& d_;
};

uint8_t ramp(int x, int width) {
    return static_cast<uint8_t>(x * 255 / std::max(1, width - 1));
}

}  // namespace

Rect TestPattern::keyBox(int index, int width, int height) {
    int u = std::max(1, width / 320);
    int top = height * 2 / 3 + 8 * u;
    int boxW = width / 2 / 4;
    int boxH = (height - top) / 2;
    int col = index % 4;
    int row = index / 4;
    int left = width / 2 + col * boxW;
    int y = top + row * boxH;
    return Rect{left + 2 * u, y + 2 * u, left + boxW - 2 * u, y + boxH - 2 * u};
}

void TestPattern::drawFrame(GameContext& ctx) {
    Display& d = *ctx.display;
    const int w = d.width();
    const int h = d.height();
    const int u = std::max(1, w / 320);
    const int third = h / 3;
    Canvas c(d);

    InputState& in = ctx.input;
    for (int i = 0; i < kKeyBoxes; ++i) {
        int32_t& counter = in.press[kBoxKeys[i]];
        if (counter >= 1) {
            lastPressed_ = i;
            counter = 0;
        }
    }
    if (in.tap || in.stylusHeld) {
        touched_ = true;
        touchX_ = in.stylusX;
        touchY_ = in.stylusY;
    }

    c.fill({0, 0, w, h}, {0, 0, 0});
    for (int i = 0; i < 8; ++i)
        c.fill({i * w / 8, 0, (i + 1) * w / 8, third}, kBars[i]);
    c.fill({0, 0, 8 * u, 8 * u}, {255, 0, 0});
    const int band = (h - 2 * third) > 0 ? third / 4 : 0;
    for (int x = 0; x < w; ++x) {
        uint8_t v = ramp(x, w);
        Rgb ramps[4] = {{v, 0, 0}, {0, v, 0}, {0, 0, v}, {v, v, v}};
        for (int b = 0; b < 4; ++b)
            c.fill({x, third + b * band, x + 1, third + (b + 1) * band}, ramps[b]);
    }
    for (int y = 2 * third; y < h; ++y) {
        for (int x = 0; x < w / 2; ++x) {
            if (x % 8 == 0 || y % 8 == 0)
                c.put(x, y, {255, 255, 255});
        }
    }
    for (int i = 0; i < kKeyBoxes; ++i) {
        Rect box = keyBox(i, w, h);
        c.fill(box, i == lastPressed_ ? Rgb{255, 255, 0} : Rgb{32, 32, 32});
        c.frame(box, {255, 255, 255});
    }
    c.frame({0, 0, w, h}, {255, 255, 255});
    if (touched_) {
        for (int k = -4 * u; k <= 4 * u; ++k) {
            c.put(touchX_ + k, touchY_, {255, 0, 0});
            c.put(touchX_, touchY_ + k, {255, 0, 0});
        }
    }
    ctx.dirtyRects->add(0, 0, w, h, 0);
}

}  // namespace marlit
