#include "player/graphics/blit.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "tests/player/graphics/pixels.h"

namespace marlit {
namespace {

using test::Bgr;
using test::grey;
using test::TestPicture;
using test::TestSurface;

// One pixel of source drawn over one pixel of destination; returns the result.
Bgr drawOne(int family, Bgr s, int alpha, Bgr d, int opacity, int brightness) {
    TestPicture pic(1, 1, s, alpha);
    TestPicture second(1, 1, {0, 0, 0}, 0);
    TestSurface out(1, 1, d);
    Surface dst = out.view();
    switch (family) {
        case 1:
            blitAlpha(dst, 0, 0, pic.view(), pic.whole(), opacity, brightness);
            break;
        case 2:
            blitAdditive(dst, 0, 0, pic.view(), pic.whole(), opacity, brightness);
            break;
        case 3:
            blitTransformed(dst, {0, 0, 1, 1}, pic.view(), pic.whole(), Sampling{}, opacity,
                            brightness);
            break;
        case 4:
            blitCrossfade(dst, 0, 0, pic.view(), second.view(), pic.whole(), opacity, brightness);
            break;
    }
    return out.at(0, 0);
}

const int kOpacities[] = {256, 128, 0};
const int kBrightnesses[] = {256, 0, 128, 384, 512};

TEST(Blit, TransparentSourceNeverChangesTheDestination) {
    for (int family = 1; family <= 4; ++family) {
        for (int a : kOpacities) {
            for (int b : kBrightnesses) {
                EXPECT_EQ(drawOne(family, grey(200), 0, {13, 101, 77}, a, b), (Bgr{13, 101, 77}))
                    << "family " << family << " opacity " << a << " brightness " << b;
            }
        }
    }
    // Both crossfade pictures transparent.
    TestPicture clear(2, 2, grey(90), 0);
    TestSurface out(2, 2, grey(7));
    blitCrossfade(out.view(), 0, 0, clear.view(), clear.view(), clear.whole(), 100, 300);
    EXPECT_EQ(out.at(1, 1), grey(7));
}

TEST(Blit, AlphaPictureMixesWithTwoTruncatedProducts) {
    EXPECT_EQ(drawOne(1, {10, 200, 255}, 255, grey(100), 256, 256), (Bgr{10, 200, 255}));
    EXPECT_EQ(drawOne(1, grey(200), 128, grey(100), 256, 256), grey(150));
    // One rounding would give 1; each product truncates on its own.
    EXPECT_EQ(drawOne(1, grey(1), 128, grey(1), 256, 256), grey(0));
    // 254 is not opaque: weight 254 of 256.
    EXPECT_EQ(drawOne(1, grey(255), 254, grey(0), 256, 256), grey(253));
}

TEST(Blit, AlphaPictureUnderOpacityIsQuantised) {
    EXPECT_EQ(drawOne(1, grey(255), 255, grey(0), 128, 256), (Bgr{120, 124, 120}));
    // Partial alpha is weighted by the opacity: (128 × 128) >> 8 = 64.
    EXPECT_EQ(drawOne(1, grey(255), 128, grey(0), 128, 256), (Bgr{56, 60, 56}));
    // The rotated loop keeps full precision.
    EXPECT_EQ(drawOne(3, grey(255), 255, grey(0), 128, 256), grey(127));
}

TEST(Blit, WideRowsMatchThePixelRule) {
    // Long rows go through the block copy: whole opaque, transparent and mixed
    // blocks, a row tail, and a destination that starts at an odd pixel.
    const int w = 53, h = 3;
    TestPicture pic(w, h);
    uint32_t seed = 1;
    auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int block = x / 16;
            int alpha = block == 0 ? 255 : block == 1 ? 0 : static_cast<int>(next() % 256);
            pic.set(x, y, {int(next() % 256), int(next() % 256), int(next() % 256)}, alpha);
        }
    }
    TestSurface out(w + 5, h + 1, {10, 20, 30});
    blitAlpha(out.view(), 3, 1, pic.view(), pic.whole(), 256, 256);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* s = &pic.pixels[(y * w + x) * 4];
            Bgr expected{10, 20, 30};
            for (int i = 0; i < 3; ++i) {
                if (s[3] == 255)
                    expected[i] = s[i];
                if (s[3] > 0 && s[3] < 255)
                    expected[i] = ((s[i] * s[3]) >> 8) + (((256 - s[3]) * expected[i]) >> 8);
            }
            ASSERT_EQ(out.at(x + 3, y + 1), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(out.at(2, 1), (Bgr{10, 20, 30}));
    EXPECT_EQ(out.at(w + 3, 1), (Bgr{10, 20, 30}));
    EXPECT_EQ(out.at(3, 0), (Bgr{10, 20, 30}));
}

TEST(Blit, BrightnessEndsAreBlackAndWhite) {
    for (int family = 1; family <= 4; ++family) {
        for (int a : {256, 128}) {
            EXPECT_EQ(drawOne(family, {30, 140, 250}, 255, grey(60), a, 0), grey(0))
                << "family " << family << " opacity " << a;
            EXPECT_EQ(drawOne(family, {30, 140, 250}, 255, grey(60), a, 512), grey(255))
                << "family " << family << " opacity " << a;
        }
    }
    TestSurface out(2, 1, grey(60));
    fillColour(out.view(), {0, 0, 1, 1}, 0x123456, 256, 0);
    fillAdditive(out.view(), {1, 0, 2, 1}, 0x123456, 100, 512);
    EXPECT_EQ(out.at(0, 0), grey(0));
    EXPECT_EQ(out.at(1, 0), grey(255));
}

TEST(Blit, BrightnessAppliesToSourceOrToMixedResultByVariant) {
    // Above 256 moves towards white: 0 -> 127, 255 -> 254.
    EXPECT_EQ(drawOne(1, {0, 255, 0}, 255, grey(9), 256, 384), (Bgr{127, 254, 127}));
    // Without opacity the source is lit before the mix: s' = 100.
    EXPECT_EQ(drawOne(1, grey(200), 128, grey(100), 256, 128), grey(100));
    // With opacity the mix is lit, destination included: (150 × 128) >> 8.
    EXPECT_EQ(drawOne(1, grey(200), 255, grey(100), 128, 128), grey(75));
    EXPECT_EQ(drawOne(3, grey(200), 255, grey(100), 128, 128), grey(75));
}

TEST(Blit, OpacityAndBrightnessOutOfRangeAreClamped) {
    // Beyond the ends the products would go negative; they act as the ends.
    EXPECT_EQ(drawOne(1, grey(200), 128, grey(100), 300, 256), grey(150));
    EXPECT_EQ(drawOne(1, grey(200), 255, grey(100), -5, 256), (Bgr{96, 100, 96}));
    EXPECT_EQ(drawOne(1, grey(200), 255, grey(100), 256, 900), grey(255));
    EXPECT_EQ(drawOne(2, grey(10), 255, grey(100), 256, -40), grey(0));
}

TEST(Blit, AdditivePictureSaturates) {
    EXPECT_EQ(drawOne(2, grey(200), 255, grey(100), 256, 256), grey(255));
    EXPECT_EQ(drawOne(2, grey(200), 128, grey(50), 256, 256), grey(150));
    EXPECT_EQ(drawOne(2, grey(200), 255, grey(50), 128, 256), grey(150));
    // Partial alpha under opacity: k = (128 × 128) >> 8 = 64, (64 × 200) >> 8 = 50.
    EXPECT_EQ(drawOne(2, grey(200), 128, grey(50), 128, 256), grey(100));
    // Brightness after the add: 255 lit at 128.
    EXPECT_EQ(drawOne(2, grey(200), 255, grey(100), 256, 128), grey(127));
}

TEST(Blit, CrossfadeBlendsTwoPictures) {
    auto fade = [](Bgr c1, int a1, Bgr c2, int a2, Bgr d, int a, int b) {
        TestPicture p1(1, 1, c1, a1), p2(1, 1, c2, a2);
        TestSurface out(1, 1, d);
        blitCrossfade(out.view(), 0, 0, p1.view(), p2.view(), p1.whole(), a, b);
        return out.at(0, 0);
    };
    // Both present: (128 × 200 + 128 × 100) >> 8 = 150, quantised.
    EXPECT_EQ(fade(grey(200), 255, grey(100), 255, grey(0), 128, 256), (Bgr{144, 148, 144}));
    // Only the first: its colour unquantised, g = (129 × 255) >> 8 = 128, one rounding.
    EXPECT_EQ(fade(grey(1), 255, grey(9), 0, grey(1), 129, 256), grey(1));
    // Only the second: g = (128 × 255) >> 8 = 127.
    EXPECT_EQ(fade(grey(9), 0, grey(200), 255, grey(0), 128, 256), grey(99));
    // Full opacity draws the first picture alone, the second is not read.
    EXPECT_EQ(fade(grey(200), 128, grey(0), 255, grey(100), 256, 256), grey(150));
    // With brightness the opacity weighs twice: g = 127, k = 63, mix 124, lit 62.
    EXPECT_EQ(fade(grey(200), 255, grey(0), 0, grey(100), 128, 128), grey(62));
    // Without brightness the blend is one product: (129 × 4 + 127 × 4) >> 8 = 4,
    // then quantised; with brightness it is two: 99 from 100, then mixed and lit.
    EXPECT_EQ(fade(grey(4), 255, grey(4), 255, grey(0), 129, 256), (Bgr{0, 4, 0}));
    EXPECT_EQ(fade(grey(100), 255, grey(100), 255, grey(0), 200, 128), grey(38));
}

TEST(Blit, ColourRectangles) {
    TestSurface out(4, 1, grey(100));
    Surface s = out.view();
    fillColour(s, {0, 0, 1, 1}, 0x00C8C8C8, 128, 256);    // mix 200 over 100
    fillColour(s, {1, 0, 2, 1}, 0x00FF8000, 256, 128);    // lit once: r 127, g 64, b 0
    fillAdditive(s, {2, 0, 3, 1}, 0x00C8C8C8, 128, 256);  // 100 + 100
    fillAdditive(s, {3, 0, 4, 1}, 0x00C8C8C8, 256, 256);  // saturates
    EXPECT_EQ(out.at(0, 0), grey(150));
    EXPECT_EQ(out.at(1, 0), (Bgr{0, 64, 127}));
    EXPECT_EQ(out.at(2, 0), grey(200));
    EXPECT_EQ(out.at(3, 0), grey(255));
    fillBackground(s, {1, 0, 3, 1}, 0x00010203);
    EXPECT_EQ(out.at(1, 0), (Bgr{3, 2, 1}));
    EXPECT_EQ(out.at(3, 0), grey(255));
}

TEST(Blit, TransformedLeavesPixelsOutsideTheSourceAlone) {
    TestPicture pic(6, 6, grey(50));
    pic.set(2, 2, grey(222), 255);
    TestSurface out(8, 8, grey(9));
    // Source rectangle (2, 2)-(4, 4) at double size: 4 x 4 pixels of an 8 x 8 box.
    Sampling half{0, 0, 512, 0, 0, 512};
    blitTransformed(out.view(), {0, 0, 8, 8}, pic.view(), {2, 2, 4, 4}, half, 256, 256);
    EXPECT_EQ(out.at(0, 0), grey(222));
    EXPECT_EQ(out.at(1, 1), grey(222));
    EXPECT_EQ(out.at(2, 2), grey(50));
    EXPECT_EQ(out.at(3, 3), grey(50));
    EXPECT_EQ(out.at(4, 0), grey(9));
    EXPECT_EQ(out.at(0, 4), grey(9));
    EXPECT_EQ(out.at(7, 7), grey(9));
    // A start half a pixel to the left samples offset -1 (arithmetic shift),
    // which lies outside the source rectangle.
    TestSurface shifted(3, 1, grey(9));
    blitTransformed(shifted.view(), {0, 0, 3, 1}, pic.view(), {2, 2, 4, 4},
                    Sampling{-512, 0, 1024, 0, 0, 1024}, 256, 256);
    EXPECT_EQ(shifted.at(0, 0), grey(9));
    EXPECT_EQ(shifted.at(1, 0), grey(222));
}

TEST(Blit, ClipBoxAdvancesTheSampling) {
    Rect box{-3, -2, 10, 10};
    Sampling s{100, 200, 10, 20, 30, 40};
    ASSERT_TRUE(clipBox(box, s, {0, 0, 8, 6}));
    EXPECT_EQ(box, (Rect{0, 0, 8, 6}));
    EXPECT_EQ(s.uStart, 100 + 3 * 10 + 2 * 30);
    EXPECT_EQ(s.vStart, 200 + 3 * 20 + 2 * 40);
    Rect outside{20, 20, 30, 30};
    EXPECT_FALSE(clipBox(outside, s, {0, 0, 8, 6}));
}

TEST(Blit, RequestsAreClippedToPictureAndSurface) {
    TestPicture pic(4, 4, grey(200));
    pic.set(0, 0, grey(1), 255);
    pic.set(3, 3, grey(3), 255);
    TestSurface out(5, 5, grey(9));
    Surface s = out.view();
    // Off the top-left of the surface: the picture's far corner lands at (0, 0).
    blitAlpha(s, -3, -3, pic.view(), pic.whole(), 256, 256);
    EXPECT_EQ(out.at(0, 0), grey(3));
    EXPECT_EQ(out.at(1, 0), grey(9));
    // A source rectangle beyond the picture draws only what the picture has.
    blitAlpha(s, 2, 2, pic.view(), {-1, -1, 40, 40}, 256, 256);
    EXPECT_EQ(out.at(2, 2), grey(9));
    EXPECT_EQ(out.at(3, 3), grey(1));
    EXPECT_EQ(out.at(4, 4), grey(200));
    // Extreme requests touch nothing and do not fault.
    TestSurface before = out;
    for (auto& fn : std::vector<std::function<void()>>{
             [&] {
                 blitAlpha(s, INT_MAX, INT_MIN, pic.view(), {INT_MIN, 0, INT_MAX, 4}, 128, 9);
             },
             [&] {
                 blitAdditive(s, 0, 0, pic.view(), {3, 3, -5, 9}, 256, 256);
             },
             [&] {
                 blitCrossfade(s, -1, -1, pic.view(), TestPicture(1, 1).view(), {1, 1, 4, 4}, 100,
                               256);
             },
             [&] {
                 fillColour(s, {INT_MIN, INT_MIN, -1, INT_MAX}, 0xFFFFFF, 256, 256);
             },
             [&] {
                 fillAdditive(s, {5, 0, INT_MAX, 5}, 0xFFFFFF, 256, 256);
             },
             [&] {
                 blitTransformed(s, {-100, -100, 100, 100}, pic.view(), {5, 5, 9, 9}, Sampling{},
                                 256, 256);
             },
             [&] {
                 blitTransformed(s, {INT_MIN, 0, INT_MAX, 5}, pic.view(), pic.whole(),
                                 Sampling{INT64_MIN / 4, 0, -1, 0, 0, 0}, 256, 256);
             }}) {
        fn();
    }
    EXPECT_EQ(out.pixels, before.pixels);
}

}  // namespace
}  // namespace marlit
