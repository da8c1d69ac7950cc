#include "player/graphics/sprite_image.h"

#include <gtest/gtest.h>

#include <climits>

#include "player/graphics/sprite_update.h"
#include "player/graphics/transform.h"

namespace marlit {
namespace {

Sprite animated() {
    Sprite s;
    s.command.picture = 11;
    s.command.opacity = 96;
    s.command.flags = kFlagIgnoreGlobalBrightness;
    s.x = 123456;
    s.y = -7000;
    s.pivotX = 5;
    s.scaleX = 1500;
    s.angle = 30;
    s.layer = 26;
    std::vector<AnimationFrame> frames;
    for (int i = 0; i < 3; ++i) {
        AnimationFrame f;
        f.picture = 11;
        f.x = 16 * i;
        f.width = 16;
        f.height = 24;
        f.offsetY = i;
        f.duration = 200;
        f.next = (i + 1) % 3;
        frames.push_back(f);
    }
    startAnimation(s, frames, 1000);
    int32_t brightness = 256;
    updateSprite(s, 1250, brightness);  // on frame 1 until 1450
    return s;
}

TEST(SpriteImage, KeepsPicturePlaceLookAndAnimation) {
    const Sprite before = animated();
    const std::vector<uint8_t> image = writeSpriteImage(before, 1300);
    ASSERT_EQ(image.size(), kSpriteImageSize);
    auto after = readSpriteImage(image, 5000);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->command.picture, 11);
    EXPECT_EQ(after->command.source, (Rect{16, 0, 32, 24}));
    EXPECT_EQ(after->command.opacity, 96);
    EXPECT_EQ(after->command.flags, kFlagIgnoreGlobalBrightness);
    EXPECT_EQ(after->x, 123456);
    EXPECT_EQ(after->y, -7000);
    EXPECT_EQ(after->scaleX, 1500);
    EXPECT_EQ(after->angle, 30);
    EXPECT_EQ(after->layer, 26);
    EXPECT_EQ(after->frames.size(), 3u);
    EXPECT_EQ(after->frame, 1);
    EXPECT_EQ(after->frameOffsetY, 1);
    // The rest of the frame (150 ms) runs on from the load.
    int32_t brightness = 256;
    updateSprite(*after, 5149, brightness);
    EXPECT_EQ(after->frame, 1);
    updateSprite(*after, 5150, brightness);
    EXPECT_EQ(after->frame, 2);
    EXPECT_TRUE(after->moved);
}

TEST(SpriteImage, BadRecordsAreRefused) {
    const std::vector<uint8_t> good = writeSpriteImage(animated(), 0);
    EXPECT_FALSE(readSpriteImage(std::span(good).first(kSpriteImageSize - 1), 0));
    std::vector<uint8_t> absent(kSpriteImageSize, 0);
    EXPECT_FALSE(readSpriteImage(absent, 0));
    auto patched = [&](size_t at, int32_t v) {
        std::vector<uint8_t> bad = good;
        for (int i = 0; i < 4; ++i)
            bad[at + i] = static_cast<uint8_t>(v >> (8 * i));
        return readSpriteImage(bad, 0) != nullptr;
    };
    EXPECT_TRUE(patched(92, 127));
    EXPECT_FALSE(patched(92, 128));   // layer
    EXPECT_FALSE(patched(100, 100));  // more frames than the record holds
    EXPECT_FALSE(patched(104, 3));    // frame index past the frames
    EXPECT_FALSE(patched(104, -1));
}

// A save may hold any number in any field; placing the sprite must not
// overflow (the test build halts on signed overflow), and what is kept lies
// in the 16-bit ranges of the draw command.
TEST(SpriteImage, HostileGeometryIsHeldToTheDrawRanges) {
    std::vector<uint8_t> bad = writeSpriteImage(animated(), 0);
    auto put = [&](size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            bad[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
    };
    put(32, INT_MIN);  // source left
    put(40, INT_MAX);  // source right
    put(56, INT_MIN);  // x
    put(60, INT_MAX);  // y
    put(64, INT_MAX);  // pivot x
    put(68, INT_MIN);  // pivot y
    put(72, INT_MAX);  // scale x
    put(76, INT_MAX);  // scale y
    put(80, INT_MIN);  // angle
    put(84, INT_MAX);  // width
    put(88, INT_MIN);  // height
    put(100, 0);       // no animation, which would set the source itself
    put(104, 0);
    auto s = readSpriteImage(bad, 0);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->command.source.left, -32768);
    EXPECT_EQ(s->command.source.right, 32767);
    EXPECT_EQ(s->x, -32768000);
    EXPECT_EQ(s->y, 32767999);
    EXPECT_EQ(s->pivotX, 32767);
    EXPECT_EQ(s->pivotY, -32768);
    EXPECT_EQ(s->scaleX, 32767);
    EXPECT_EQ(s->angle, -32768);
    EXPECT_EQ(s->width, 32767);
    EXPECT_EQ(s->height, -32768);

    int32_t brightness = 256;
    updateSprite(*s, 10, brightness);
    EXPECT_EQ(s->command.x, -32768 - 32767 + s->frameOffsetX);
    const Rect turned = s->rect();
    EXPECT_LE(turned.left, turned.right);
    s->angle = 0;
    placeCommand(*s);
    // x / 1000 - scale x * pivot x / 1000
    EXPECT_EQ(s->rect().left, -32768 - 1073676);
    EXPECT_TRUE(setUpTransform(s->command));
}

TEST(SpriteImage, RectangleWiderThan32BitsSaturates) {
    const Rect r{-10, INT_MIN, INT_MAX, 10};
    EXPECT_EQ(r.width(), INT_MAX);
    EXPECT_EQ(r.height(), INT_MAX);
    EXPECT_EQ((Rect{INT_MAX, 0, INT_MIN, 0}).width(), INT_MIN);
}

TEST(SpriteImage, LongAnimationIsCutToHold) {
    Sprite s;
    std::vector<AnimationFrame> frames(100);
    for (int i = 0; i < 100; ++i)
        frames[i].next = (i + 1) % 100;
    startAnimation(s, frames, 0);
    auto back = readSpriteImage(writeSpriteImage(s, 0), 0);
    ASSERT_TRUE(back);
    // (1892 - 112) / 24 frames fit.
    ASSERT_EQ(back->frames.size(), 74u);
    EXPECT_EQ(back->frames[72].next, 73);
    EXPECT_EQ(back->frames[73].next, kFrameHold);
}

}  // namespace
}  // namespace marlit
