#include "platform/device_frame_buffer.h"

#include <gtest/gtest.h>

#include <set>

namespace marlit {
namespace {

TEST(DeviceFrameBuffer, EveryPitchLayoutGivesEachPixelItsOwnPlaceInside) {
    struct Layout {
        int32_t x, y;
    };
    for (Layout l :
         {Layout{2, 480}, Layout{-2, 480}, Layout{2, -512}, Layout{640, 2}, Layout{-640, -2}}) {
        SCOPED_TRACE(testing::Message() << l.x << "," << l.y);
        DeviceFrameBuffer fb(240, 320, l.x, l.y);
        std::set<uint16_t> seen;
        for (int y = 0; y < 320; y += 3) {
            for (int x = 0; x < 240; x += 3)
                fb.setPixel(x, y, static_cast<uint16_t>(x * 320 + y));
        }
        for (int y = 0; y < 320; y += 3) {
            for (int x = 0; x < 240; x += 3) {
                ASSERT_EQ(fb.pixel(x, y), static_cast<uint16_t>(x * 320 + y));
            }
        }
        DisplayProperties p = fb.properties();
        EXPECT_EQ(p.cxWidth, 240u);
        EXPECT_EQ(p.cyHeight, 320u);
        EXPECT_EQ(p.cbxPitch, l.x);
        EXPECT_EQ(p.cbyPitch, l.y);
        EXPECT_EQ(p.cBPP, 16);
        RawFrameBufferInfo r = fb.rawInfo();
        EXPECT_EQ(r.pFramePointer, fb.base());
        EXPECT_EQ(r.cxStride, l.x);
        EXPECT_EQ(r.wFormat, kRawFormat565);
    }
}

TEST(DeviceFrameBuffer, WideningKeepsTheRgb565FieldsExact) {
    DeviceFrameBuffer fb(2, 2);
    const uint16_t values[4] = {0xFFFF, 0x0000, 0xF81F, 0x07E0 | 0x0821};
    for (int i = 0; i < 4; ++i)
        fb.setPixel(i % 2, i / 2, values[i]);
    std::vector<uint8_t> rgb = fb.toRgb();
    for (int i = 0; i < 4; ++i) {
        const uint8_t* p = &rgb[static_cast<size_t>(i) * 3];
        uint16_t back = static_cast<uint16_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3));
        EXPECT_EQ(back, values[i]);
    }
    EXPECT_EQ(rgb[0], 255) << "full fields widen to full bytes";
}

TEST(DeviceFrameBuffer, TurningBackToLandscapeUndoesTheQuarterTurn) {
    DeviceFrameBuffer fb(240, 320);
    fb.setPixel(0, 319, 1);  // landscape (0, 0)
    fb.setPixel(239, 0, 2);  // landscape (319, 239)
    fb.setPixel(0, 0, 3);    // landscape (319, 0)
    std::vector<uint16_t> land(320 * 240);
    fb.toLandscape565(land.data());
    EXPECT_EQ(land[0], 1);
    EXPECT_EQ(land[239 * 320 + 319], 2);
    EXPECT_EQ(land[319], 3);
}

}  // namespace
}  // namespace marlit
