// The drawing pieces whose rules the pictures rely on.
#include <gtest/gtest.h>

#include <set>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/palette.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {
namespace {

TEST(Canvas, KeyedPicturesHaveNoHalfKeyAndNoAccidentalKey) {
    Canvas c(4, 1);
    c.set(0, 0, {1, 0, 1, 1});              // drawn in the key's own colour
    c.set(1, 0, {0.2f, 0.4f, 0.6f, 0.6f});  // mostly covered
    c.set(2, 0, {0.2f, 0.4f, 0.6f, 0.4f});  // mostly not
    const Bitmap b = c.toKeyedBitmap();
    auto key = [&](int x) {
        const uint8_t* p = b.row(0) + 3 * x;
        return p[0] == 255 && p[1] == 0 && p[2] == 255;
    };
    EXPECT_FALSE(key(0));
    EXPECT_FALSE(key(1));
    // A covered pixel keeps its own colour at full strength.
    EXPECT_EQ(b.row(0)[3 + 2], 51);
    EXPECT_TRUE(key(2));
    EXPECT_TRUE(key(3));
}

TEST(Canvas, SoftEdgesGiveAlphaBetweenNoneAndFull) {
    Canvas c(40, 40);
    fillEllipse(c, {20, 20}, 12, 12, rgb(0xffffff), 4);
    const Bitmap b = c.toBitmap32();
    std::set<int> alphas;
    for (int x = 0; x < 40; ++x)
        alphas.insert(b.row(20)[4 * x + 3]);
    EXPECT_TRUE(alphas.count(0));
    EXPECT_TRUE(alphas.count(255));
    EXPECT_GT(alphas.size(), 4u);
}

TEST(Palette, ReducesToAPaletteOnlyWhenNeeded) {
    Bitmap few = makeBitmap(16, 1, 3);
    for (int x = 0; x < 16; ++x)
        few.row(0)[3 * x] = static_cast<uint8_t>(x * 17);
    EXPECT_EQ(reduceColours(few).pixels, few.pixels);

    Bitmap many = makeBitmap(64, 64, 3);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            many.row(y)[3 * x] = static_cast<uint8_t>(x * 4);
            many.row(y)[3 * x + 1] = static_cast<uint8_t>(y * 4);
            many.row(y)[3 * x + 2] = 255;
        }
    }
    const Bitmap reduced = reduceColours(many);
    std::set<uint32_t> colours;
    for (size_t i = 0; i < reduced.pixels.size(); i += 3) {
        colours.insert(reduced.pixels[i] | (reduced.pixels[i + 1] << 8) |
                       (reduced.pixels[i + 2] << 16));
        EXPECT_NEAR(reduced.pixels[i], many.pixels[i], 16);
    }
    EXPECT_LE(colours.size(), 256u);
    EXPECT_GT(colours.size(), 64u);
    // White stays white.
    EXPECT_EQ(reduced.pixels[2], 255);
}

TEST(Font, DrawsJapaneseInTheBoxItIsGiven) {
    std::string error;
    auto font = Font::open(Font::defaultPath(), &error);
    ASSERT_TRUE(font) << error;
    EXPECT_GT(font->width("潮見駅", 24), 2.5f * 24 * 0.9f);
    EXPECT_LT(font->width("潮見駅", 24), 3.0f * 24 * 1.1f);
    Canvas c(200, 60);
    font->drawIn(c, "潮見駅", 50, 10, 100, 40, 24, TextStyle{rgb(0xffffff)});
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool ink = c.at(x, y).a > 0.5f;
            const bool inBox = x >= 50 && x < 150 && y >= 10 && y < 50;
            (inBox ? inside : outside) += ink;
        }
    }
    EXPECT_GT(inside, 150);
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace marlit::sample
