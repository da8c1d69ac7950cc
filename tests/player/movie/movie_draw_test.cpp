#include "player/movie/movie_draw.h"

#include <gtest/gtest.h>

#include "tests/player/movie/movie_fixture.h"

namespace marlit {
namespace {

constexpr uint16_t kUntouched = 0x1234;

// A decoder-like picture: rows `stride` words apart, every pixel its own
// value (never the untouched one).
struct Frame {
    int width, height, stride;
    std::vector<uint16_t> pixels;
    Frame(int w, int h) : width(w), height(h), stride((w + 15) & ~15) {
        pixels.resize(static_cast<size_t>(stride) * ((h + 15) & ~15));
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint16_t>(0x8000 | (i * 7919 % 0x7FFF));
    }
    MovieFrameView view() const { return {pixels.data(), width, height, stride}; }
    uint16_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

// Every picture pixel of the screen: the frame pixel that the placement puts
// there, or untouched.
void expectDrawn(const test::FrameBufferScreen& screen, int w, int h, const Frame& f, int left,
                 int top, int scale, int drawnWidth) {
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int fx = x - left, fy = y - top;
            bool inside = fx >= 0 && fy >= 0 && fx < drawnWidth * scale && fy < f.height * scale;
            uint16_t want = inside ? f.at(fx / scale, fy / scale) : kUntouched;
            if (screen.at(x, y) != want && ++wrong <= 3)
                ADD_FAILURE() << "picture pixel (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(MovieDraw, BelowWidth640TheFrameIsCentredOneToOneInGroupsOfEight) {
    test::FrameBufferScreen screen(320, 240);
    Frame f(44, 36);  // 44 = 5 groups of 8 and 4 pixels that are never drawn
    drawMovieFrame(screen.buffer().base(), screen.readProperties(), 320, 240, f.view());
    expectDrawn(screen, 320, 240, f, 160 - 22, 120 - 18, 1, 40);
}

TEST(MovieDraw, From640TheFrameIsDoubledInGroupsOfFour) {
    test::FrameBufferScreen screen(640, 480);
    Frame f(42, 31);  // 42 = 10 groups of 4 and 2 pixels that are never drawn
    drawMovieFrame(screen.buffer().base(), screen.readProperties(), 640, 480, f.view());
    expectDrawn(screen, 640, 480, f, 320 - 42, 240 - 31, 2, 40);
}

TEST(MovieDraw, AFrameLargerThanTheScreenIsCutToIt) {
    for (int w : {320, 640}) {
        int h = w * 3 / 4;
        test::FrameBufferScreen screen(w, h);
        Frame f(400, 304);
        drawMovieFrame(screen.buffer().base(), screen.readProperties(), w, h, f.view());
        auto p = placeMovieFrame(w, h, 400, 304);
        ASSERT_LT(p.left, 0);
        expectDrawn(screen, w, h, f, p.left, p.top, p.scale, 400);
    }
}

TEST(MovieDraw, ADeviceSmallerThanTheTurnedScreenGetsOnlyWhatFits) {
    // A 200 x 300 device under a 320 x 240 screen: picture x from 20 on,
    // picture y below 200.
    DeviceFrameBuffer device(200, 300);
    device.fill(kUntouched);
    Frame f(320, 240);
    drawMovieFrame(device.base(), device.properties(), 320, 240, f.view());
    EXPECT_EQ(device.pixel(0, 299), f.at(20, 0));
    EXPECT_EQ(device.pixel(199, 0), f.at(319, 199));
}

}  // namespace
}  // namespace marlit
