#include "player/core/present.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/device_frame_buffer.h"
#include "player/core/screen_copy.h"
#include "tests/player/shell/shell_fixture.h"

namespace marlit {
namespace {

// A back buffer where every pixel differs from its neighbours.
void paintBackBuffer(Display& d) {
    for (int y = 0; y < d.height(); ++y) {
        for (int x = 0; x < d.width(); ++x) {
            uint8_t* p = d.backBuffer() + y * d.pitch() + x * 3;
            p[0] = static_cast<uint8_t>(x * 7 + y);
            p[1] = static_cast<uint8_t>(x + y * 5);
            p[2] = static_cast<uint8_t>(x ^ y);
        }
    }
}

uint16_t expected565(const Display& d, int x, int y) {
    const uint8_t* p = d.backBuffer() + y * d.pitch() + x * 3;
    return static_cast<uint16_t>((p[2] >> 3) << 11 | (p[1] >> 2) << 5 | (p[0] >> 3));
}

// A Display that writes into `fb` through its pitches.
void attach(Display& d, const DeviceFrameBuffer& fb) {
    d.properties = fb.properties();
}

TEST(ScreenCopy, PacksRgb565ByTruncation) {
    EXPECT_EQ(toRgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(toRgb565(7, 3, 7), 0x0000);
    EXPECT_EQ(toRgb565(8, 4, 8), 0x0821);
    EXPECT_EQ(toRgb565(0, 0, 255), 0xF800) << "blue, green, red order";
}

TEST(ScreenCopy, PixelOriginLandsAtTheFarEndOfTheDeviceYAxis) {
    Display d(320, 240);
    DeviceFrameBuffer fb(240, 320);
    attach(d, fb);
    uint8_t* p = d.backBuffer();
    p[0] = 0xFF;  // pure blue at (0, 0)
    copyRectToScreen(d, fb.base(), nullptr, 0, 0);
    uint16_t v;
    std::memcpy(&v, fb.base() + 319 * fb.yPitch(), 2);
    EXPECT_EQ(v, 0x001F);
}

// The whole picture, for both builds and for pitch layouts of real devices
// (padded rows, a mirrored x axis, rows along x): the device shows the back
// buffer turned a quarter.
TEST(ScreenCopy, WholeCopyIsTheQuarterTurnForEveryPitchLayout) {
    struct Layout {
        int w, h;
        int32_t xPitch, yPitch;
    };
    const Layout layouts[] = {{320, 240, 2, 480}, {320, 240, 2, 512}, {320, 240, -2, 480},
                              {320, 240, 640, 2}, {640, 480, 2, 960}, {640, 480, -2, -960}};
    for (const Layout& l : layouts) {
        SCOPED_TRACE(testing::Message() << l.w << " pitches " << l.xPitch << "," << l.yPitch);
        Display d(l.w, l.h);
        paintBackBuffer(d);
        DeviceFrameBuffer fb(l.h, l.w, l.xPitch, l.yPitch);
        attach(d, fb);
        copyRectToScreen(d, fb.base(), nullptr, 0, 0);
        int bad = 0;
        for (int y = 0; y < l.h; ++y) {
            for (int x = 0; x < l.w; ++x)
                bad += fb.pixel(y, l.w - 1 - x) != expected565(d, x, y);
        }
        EXPECT_EQ(bad, 0);
    }
}

TEST(ScreenCopy, RectanglesReachingOutsideThePictureWriteOnlyInside) {
    Display d(320, 240);
    paintBackBuffer(d);
    DeviceFrameBuffer fb(240, 320);
    attach(d, fb);
    fb.fill(0x1234);
    Rect r{-50, -50, 400, 300};
    copyRectToScreen(d, fb.base(), &r, -50, -50);  // ASan would see any stray write
    EXPECT_EQ(fb.pixel(0, 319), expected565(d, 0, 0));
    EXPECT_EQ(fb.pixel(239, 0), expected565(d, 319, 239));

    // A device smaller than the turned picture gets only the part that fits.
    Display big(640, 480);
    paintBackBuffer(big);
    attach(big, fb);
    copyRectToScreen(big, fb.base(), nullptr, 0, 0);
    EXPECT_EQ(fb.pixel(0, 0), expected565(big, 639, 0));
    EXPECT_EQ(fb.pixel(239, 319), expected565(big, 320, 239));
}

TEST(ScreenCopy, ClearScreenBlacksEveryDevicePixel) {
    DeviceFrameBuffer fb(240, 320, -2, 512);
    fb.fill(0xFFFF);
    clearScreen(fb.properties(), fb.base());
    EXPECT_EQ(fb.toRgb(), std::vector<uint8_t>(240 * 320 * 3, 0));
}

class PresentTest : public ::testing::Test {
  protected:
    test::ShellRig rig;
    Display& d = *rig.ctx->display;
    DeviceFrameBuffer& fb = rig.backend.display().frameBuffer();
};

TEST_F(PresentTest, NothingDirtyAndNoShakeDoesNotTouchTheDevice) {
    present(d, rig.ctx->screen, *rig.ctx->dirtyRects, false, 0, 0);
    EXPECT_EQ(rig.backend.display().beginDraws(), 0u);
}

TEST_F(PresentTest, OnlyDirtyRectanglesAreWritten) {
    paintBackBuffer(d);
    fb.fill(0x1111);
    rig.ctx->dirtyRects->add(10, 20, 30, 40, 1);
    present(d, rig.ctx->screen, *rig.ctx->dirtyRects, false, 0, 0);
    EXPECT_EQ(rig.backend.display().beginDraws(), 1u);
    EXPECT_EQ(rig.backend.display().endDraws(), 1u);
    EXPECT_EQ(fb.pixel(20, 319 - 10), expected565(d, 10, 20));
    EXPECT_EQ(fb.pixel(39, 319 - 29), expected565(d, 29, 39));
    EXPECT_EQ(fb.pixel(40, 319 - 10), 0x1111) << "bottom is exclusive";
    EXPECT_EQ(fb.pixel(20, 319 - 30), 0x1111) << "right is exclusive";
}

TEST_F(PresentTest, ShakeMovesThePictureAndLeavesTheUncoveredStrip) {
    paintBackBuffer(d);
    fb.fill(0x1111);
    present(d, rig.ctx->screen, *rig.ctx->dirtyRects, true, 3, 0);
    for (int y = 0; y < 240; y += 7) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(fb.pixel(y, 319 - x), 0x1111) << x << "," << y;
        EXPECT_EQ(fb.pixel(y, 319 - 3), expected565(d, 0, y));
        EXPECT_EQ(fb.pixel(y, 0), expected565(d, 316, y));
    }

    fb.fill(0x2222);
    present(d, rig.ctx->screen, *rig.ctx->dirtyRects, true, -4, -2);
    EXPECT_EQ(fb.pixel(0, 319), expected565(d, 4, 2));
    EXPECT_EQ(fb.pixel(237, 319 - 315), expected565(d, 319, 239));
    EXPECT_EQ(fb.pixel(238, 100), 0x2222) << "bottom rows uncovered";
    EXPECT_EQ(fb.pixel(100, 319 - 316), 0x2222) << "right columns uncovered";
}

TEST(PresentRaw, TheRawFrameBufferNeedsNoBeginOrEndOfDrawing) {
    test::ShellRig rig(true);
    EXPECT_EQ(rig.ctx->display->properties.cxWidth, 480u);
    EXPECT_EQ(rig.ctx->display->properties.cyHeight, 640u);
    paintBackBuffer(*rig.ctx->display);
    rig.ctx->dirtyRects->add(0, 0, 640, 480, 1);
    present(*rig.ctx->display, rig.ctx->screen, *rig.ctx->dirtyRects, false, 0, 0);
    EXPECT_EQ(rig.backend.display().beginDraws(), 0u);
    EXPECT_EQ(rig.backend.display().endDraws(), 0u);
    EXPECT_EQ(rig.backend.display().frameBuffer().pixel(0, 639),
              expected565(*rig.ctx->display, 0, 0));
}

}  // namespace
}  // namespace marlit
