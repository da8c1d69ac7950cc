#include "player/graphics/sprite_update.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

AnimationFrame frame(int picture, int x, int duration, int next) {
    AnimationFrame f;
    f.picture = picture;
    f.x = x;
    f.width = 8;
    f.height = 8;
    f.duration = duration;
    f.next = next;
    return f;
}

Sprite pictureSprite(int w, int h) {
    Sprite s;
    s.command.source = {0, 0, w, h};
    s.width = w;
    s.height = h;
    return s;
}

TEST(Animation, LoopsHoldsAndFinishes) {
    int32_t brightness = 256;
    Sprite looping = pictureSprite(8, 8);
    startAnimation(looping, {frame(3, 0, 100, 1), frame(4, 8, 50, 0)}, 1000);
    EXPECT_EQ(looping.command.picture, 3);
    EXPECT_TRUE(updateSprite(looping, 1099, brightness));
    EXPECT_EQ(looping.command.source.left, 0);
    EXPECT_TRUE(updateSprite(looping, 1100, brightness));
    EXPECT_EQ(looping.command.picture, 4);
    EXPECT_EQ(looping.command.source, (Rect{8, 0, 16, 8}));
    EXPECT_TRUE(updateSprite(looping, 1150, brightness));
    EXPECT_EQ(looping.command.picture, 3);

    // -3 stops on the current picture for good.
    Sprite held = pictureSprite(8, 8);
    startAnimation(held, {frame(3, 0, 100, 1), frame(4, 8, 100, kFrameHold)}, 0);
    updateSprite(held, 100, brightness);
    EXPECT_TRUE(updateSprite(held, 5000, brightness));
    EXPECT_EQ(held.command.picture, 4);
    EXPECT_TRUE(held.frames.empty());

    // A next index that names no frame holds rather than reading past the table.
    Sprite stray = pictureSprite(8, 8);
    startAnimation(stray, {frame(3, 0, 100, 7)}, 0);
    EXPECT_TRUE(updateSprite(stray, 100, brightness));
    EXPECT_EQ(stray.command.picture, 3);
    EXPECT_TRUE(stray.frames.empty());

    // Reaching a frame whose next index is -1 finishes the sprite.
    Sprite once = pictureSprite(8, 8);
    startAnimation(once, {frame(3, 0, 100, 1), frame(4, 8, 100, kFrameFinish)}, 0);
    EXPECT_TRUE(updateSprite(once, 50, brightness));
    EXPECT_FALSE(updateSprite(once, 100, brightness));
    EXPECT_TRUE(once.finished);
    EXPECT_EQ(once.command.picture, 3);
}

TEST(Animation, FrameOffsetsMoveTheCommandAndItsRectangle) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(8, 8);
    s.x = 20000;
    s.y = 10000;
    AnimationFrame f = frame(0, 0, 100, kFrameHold);
    f.offsetX = 3;
    f.offsetY = -2;
    startAnimation(s, {f}, 0);
    updateSprite(s, 1, brightness);
    EXPECT_EQ(s.command.x, 23);
    EXPECT_EQ(s.command.y, 8);
    EXPECT_EQ(s.rect(), (Rect{23, 8, 31, 16}));
}

TEST(Transition, WholePictureOpacityAndItsEnd) {
    int32_t brightness = 256;
    Sprite in = pictureSprite(8, 8);
    in.command.opacity = 200;
    ASSERT_TRUE(startTransition(in, {.effect = 1, .duration = 1000}, 0));
    updateSprite(in, 500, brightness);
    EXPECT_EQ(in.command.opacity, 128);
    updateSprite(in, 1000, brightness);
    EXPECT_FALSE(in.transition);
    EXPECT_EQ(in.command.opacity, 200);  // back to its own
    EXPECT_FALSE(in.finished);

    Sprite out = pictureSprite(8, 8);
    startTransition(out, {.effect = 129, .duration = 1000}, 0);
    updateSprite(out, 250, brightness);
    EXPECT_EQ(out.command.opacity, 192);
    EXPECT_FALSE(updateSprite(out, 1000, brightness));
    EXPECT_TRUE(out.finished);

    Sprite none = pictureSprite(8, 8);
    EXPECT_FALSE(startTransition(none, {.effect = 2}, 0));
    EXPECT_FALSE(startTransition(none, {.effect = 188}, 0));
    EXPECT_FALSE(none.transition);
}

TEST(Transition, FadesWriteTheBrightnessCommandAndLeaveTheGlobalBrightness) {
    int32_t brightness = 0;
    Sprite in = pictureSprite(8, 8);
    in.command.kind = kDrawBrightness;
    startTransition(in, {.effect = 63, .duration = 1000, .white = true, .fill = true}, 0);
    updateSprite(in, 250, brightness);
    EXPECT_EQ(in.command.brightness, 448);
    EXPECT_EQ(in.command.fill, 1);
    updateSprite(in, 1000, brightness);
    EXPECT_EQ(brightness, 256);
    EXPECT_EQ(in.command.brightness, 256);
    EXPECT_FALSE(in.finished);

    Sprite out = pictureSprite(8, 8);
    out.command.kind = kDrawBrightness;
    startTransition(out, {.effect = 191, .duration = 400}, 0);
    updateSprite(out, 100, brightness);
    EXPECT_EQ(out.command.brightness, 192);
    EXPECT_FALSE(updateSprite(out, 400, brightness));
    EXPECT_EQ(brightness, 0);
    EXPECT_TRUE(out.finished);

    out.finished = false;
    startTransition(out, {.effect = 191, .duration = 400, .white = true}, 0);
    updateSprite(out, 300, brightness);
    EXPECT_EQ(out.command.brightness, 448);
    updateSprite(out, 401, brightness);
    EXPECT_EQ(brightness, 512);
}

TEST(Transition, BlindsGrowBandsRowByRow) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(8, 10);  // tiles of 4: 2 columns, 3 rows (the last 2 high)
    startTransition(s, {.effect = 5, .duration = 800, .tileSize = 4, .steps = 8}, 0);
    updateSprite(s, 300, brightness);  // progress 3
    ASSERT_EQ(s.chain.size(), 6u);
    EXPECT_EQ(s.chain[0].source, (Rect{0, 0, 4, 3}));
    EXPECT_EQ(s.chain[2].source, (Rect{0, 4, 4, 6}));  // delayed one step
    EXPECT_EQ(s.chain[4].source, (Rect{0, 8, 4, 9}));
    EXPECT_EQ(s.chain[4].y, 8);
    // From the bottom: the bottom row leads, anchored at the tile's bottom.
    startTransition(s, {.effect = 9, .duration = 800, .tileSize = 4, .steps = 8}, 0);
    updateSprite(s, 100, brightness);  // progress 1
    EXPECT_EQ(s.chain[4].source, (Rect{0, 9, 4, 10}));
    EXPECT_EQ(s.chain[4].y, 9);
    EXPECT_EQ(s.chain[0].source.height(), 0);
    // Sliding from the left: the band shows the tile's right end at its left.
    startTransition(s, {.effect = 11, .duration = 800, .tileSize = 4, .steps = 8}, 0);
    updateSprite(s, 100, brightness);
    EXPECT_EQ(s.chain[0].source, (Rect{3, 0, 4, 4}));
    EXPECT_EQ(s.chain[0].x, 0);
    // Disappearing: the bands shrink.
    startTransition(s, {.effect = 133, .duration = 800, .tileSize = 4, .steps = 8}, 0);
    updateSprite(s, 100, brightness);
    EXPECT_EQ(s.chain[0].source, (Rect{0, 0, 4, 3}));
}

TEST(Transition, DegenerateParametersNeitherDivideByZeroNorStall) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(8, 8);
    startTransition(s, {.effect = 20, .duration = 100, .tileSize = 0, .spread = 0, .steps = 0}, 0);
    updateSprite(s, 50, brightness);
    EXPECT_FALSE(s.chain.empty());
    startTransition(s, {.effect = 129, .duration = 0}, 0);
    EXPECT_FALSE(updateSprite(s, 0, brightness));
    EXPECT_TRUE(s.finished);
}

TEST(Transition, TileFadesFollowTheirDelays) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(12, 8);  // 3 columns, 2 rows of 4
    startTransition(s, {.effect = 17, .duration = 1000, .tileSize = 4, .speed = 64, .steps = 10},
                    0);
    updateSprite(s, 200, brightness);  // progress 2: columns from the right
    EXPECT_EQ(s.chain[2].opacity, 128);
    EXPECT_EQ(s.chain[1].opacity, 64);
    EXPECT_EQ(s.chain[0].opacity, 0);
    startTransition(
        s, {.effect = 20, .duration = 1000, .tileSize = 4, .spread = 2, .speed = 64, .steps = 10},
        0);
    updateSprite(s, 200, brightness);  // progress 2; delay (column + row) / 2
    EXPECT_EQ(s.chain[0].opacity, 128);
    EXPECT_EQ(s.chain[3].opacity, 128);
    EXPECT_EQ(s.chain[2].opacity, 64);
    EXPECT_EQ(s.chain[5].opacity, 64);
    startTransition(s, {.effect = 144, .duration = 1000, .tileSize = 4, .speed = 64, .steps = 10},
                    0);
    updateSprite(s, 100, brightness);
    EXPECT_EQ(s.chain[0].opacity, 192);
    EXPECT_EQ(s.chain[2].opacity, 256);
}

TEST(Transition, WaveSwingsRowsWithADecayingAmplitude) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(4, 3);
    s.x = 10000;
    startTransition(s, {.effect = 49, .duration = 1000, .tileSize = 8, .spread = 90, .speed = 1},
                    0);
    updateSprite(s, 0, brightness);
    ASSERT_EQ(s.chain.size(), 3u);
    EXPECT_EQ(s.chain[0].x, 18);  // cos 0 × 8
    EXPECT_EQ(s.chain[1].x, 10);  // cos 90°
    EXPECT_EQ(s.chain[2].x, 2);   // cos 180°
    EXPECT_EQ(s.chain[2].source, (Rect{0, 2, 4, 3}));
    EXPECT_EQ(s.chain[2].y, 2);
    // Amplitude 4; the turn of 180° is multiplied by the spread too: 90 × 180.
    updateSprite(s, 500, brightness);
    EXPECT_EQ(s.chain[0].x, 14);
    EXPECT_EQ(s.chain[0].opacity, 128);
}

TEST(Transition, ScatterFliesOutFadesAndFinishes) {
    int32_t brightness = 256;
    Sprite s = pictureSprite(16, 16);
    startTransition(s, {.effect = 240, .duration = 3000, .tileSize = 8, .speed = 2}, 0);
    updateSprite(s, 1000, brightness);
    ASSERT_EQ(s.chain.size(), 4u);
    EXPECT_LT(s.chain[0].x, 0);  // top-left tile goes up and left
    EXPECT_LT(s.chain[0].y, 0);
    EXPECT_GT(s.chain[3].x, 8);
    EXPECT_GT(s.chain[3].y, 8);
    EXPECT_EQ(s.chain[0].opacity, 254);
    updateSprite(s, 1016, brightness);
    EXPECT_EQ(s.chain[0].opacity, 252);
    EXPECT_EQ(s.chain[0].scaleX, 1000);
    updateSprite(s, 2500, brightness);  // halfway through the shrinking
    EXPECT_EQ(s.chain[0].scaleX, 563);  // 1000 - 875 × 500 ÷ 1000
    EXPECT_FALSE(updateSprite(s, 3000, brightness));
    EXPECT_TRUE(s.finished);
    EXPECT_TRUE(s.chain.empty());
}

}  // namespace
}  // namespace marlit
