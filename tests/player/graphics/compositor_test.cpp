#include "player/graphics/compositor.h"

#include <gtest/gtest.h>

#include "tests/player/graphics/scene.h"

namespace marlit {
namespace {

using test::Bgr;
using test::grey;
using test::Scene;

TEST(Compositor, LayersAndSlotsDecideWhatIsOnTop) {
    Scene scene;
    scene.picture(0, 4, 4, grey(10));
    scene.picture(1, 4, 4, grey(20));
    scene.picture(2, 4, 4, grey(30));
    // Same layer: the lower slot is drawn over the higher one.
    scene.show(5, 0, 0, 0, 40);
    scene.show(6, 1, 2, 0, 40);
    // Layer 0 is drawn over layer 127.
    scene.show(7, 1, 8, 8, 127);
    scene.show(9, 2, 10, 10, 0);
    scene.frameAll();
    EXPECT_EQ(scene.at(3, 0), grey(10));
    EXPECT_EQ(scene.at(5, 0), grey(20));
    EXPECT_EQ(scene.at(10, 10), grey(30));
    EXPECT_EQ(scene.at(9, 9), grey(20));
    EXPECT_EQ(scene.at(15, 15), (Bgr{0, 0, 0}));  // cleared to black
}

TEST(Compositor, BrightnessCommandDimsWhatFollowsInEveryRectangle) {
    Scene scene;
    scene.picture(0, 16, 16, grey(200));
    scene.picture(1, 4, 4, grey(200));
    scene.show(10, 0, 0, 0, 100);  // before the brightness command
    Sprite* fade = scene.compositor.create(0, scene.mark);
    fade->command.kind = kDrawBrightness;
    fade->command.brightness = 128;
    fade->layer = 50;
    scene.show(11, 1, 0, 0, 10);  // after it
    scene.show(12, 1, 8, 0, 10)->command.flags = kFlagIgnoreGlobalBrightness;
    // Two rectangles: the second walk must start from the same brightness.
    scene.dirty = {{0, 0, 6, 6}, {6, 0, 16, 6}, {0, 8, 16, 16}};
    scene.frame();
    EXPECT_EQ(scene.at(1, 1), grey(100));
    EXPECT_EQ(scene.at(9, 1), grey(200));
    EXPECT_EQ(scene.at(5, 1), grey(200));
    EXPECT_EQ(scene.at(7, 1), grey(200));
    EXPECT_EQ(scene.at(5, 10), grey(200));
    EXPECT_EQ(scene.look.brightness, 128);
}

TEST(Compositor, ClearedBackgroundTakesTheGreyOfTheBrightness) {
    Scene scene(4, 4);
    scene.look.backgroundFill = 1;
    scene.look.brightness = 128;
    scene.frameAll();
    EXPECT_EQ(scene.at(0, 0), grey(127));
    // Towards white the grey stays white instead of carrying into red.
    scene.look.brightness = 512;
    scene.frameAll();
    EXPECT_EQ(scene.at(0, 0), grey(255));
    // Without clearing, what was there stays.
    scene.look.clearBackground = 0;
    scene.look.brightness = 0;
    scene.frameAll();
    EXPECT_EQ(scene.at(0, 0), grey(255));
}

TEST(Compositor, ScaleOtherThanWholeGoesThroughTheTransform) {
    Scene scene;
    scene.picture(0, 10, 10, grey(90));
    Sprite* s = scene.show(0, 0, 0, 0, 1);
    scene.frameAll();
    EXPECT_EQ(scene.at(9, 9), grey(90));
    s->scaleX = s->scaleY = 999;  // 10 × 999 ÷ 1000 = 9 pixels
    s->recordMove();
    scene.frame();
    EXPECT_EQ(scene.at(8, 8), grey(90));
    EXPECT_EQ(scene.at(9, 9), grey(0));
    EXPECT_EQ(scene.at(9, 0), grey(0));
}

TEST(Compositor, OnlyChangedRectanglesAreRedrawn) {
    Scene scene;
    scene.picture(0, 4, 4, grey(50));
    Sprite* s = scene.show(0, 0, 0, 0, 1);
    scene.frame();
    EXPECT_EQ(scene.at(0, 0), grey(50));
    // Paint over the screen behind the compositor's back: only the old and
    // new places of the moved sprite are recomposed.
    scene.screen.set(0, 0, grey(7));
    scene.screen.set(15, 15, grey(7));
    scene.screen.set(4, 0, grey(7));
    s->x = 8000;
    s->recordMove();
    scene.frame();
    EXPECT_EQ(scene.at(0, 0), grey(0));
    EXPECT_EQ(scene.at(4, 0), grey(0));  // between old and new: in the union
    EXPECT_EQ(scene.at(8, 0), grey(50));
    EXPECT_EQ(scene.at(15, 15), grey(7));
    // Removal redraws where it was.
    scene.compositor.remove(0, scene.mark);
    scene.frame();
    EXPECT_EQ(scene.at(8, 0), grey(0));
    EXPECT_EQ(scene.at(15, 15), grey(7));
}

TEST(Compositor, RequestsOutOfRangeAreIgnored) {
    Scene scene;
    scene.picture(0, 4, 4, grey(50));
    EXPECT_EQ(scene.compositor.create(259, scene.mark), nullptr);
    EXPECT_EQ(scene.compositor.create(-1, scene.mark), nullptr);
    EXPECT_FALSE(scene.compositor.pictures.put(67, std::make_unique<WorkingPicture>()));
    scene.compositor.remove(400, scene.mark);
    scene.show(0, 0, 0, 0, 128);  // no such layer: never drawn
    scene.show(1, 66, 4, 4, 1);   // empty picture slot
    scene.show(2, 0, 8, 8, 1)->command.picture = 90;
    Sprite* wild = scene.show(3, 0, 10, 10, 1);
    wild->command.source = {-2, -2, 5000, 5000};
    wild->command.secondPicture = 12;  // empty: drawn alone
    scene.frameAll();
    // Only the wild one, cut to its picture: picture (0, 0) lands at (12, 12).
    EXPECT_EQ(scene.at(0, 0), grey(0));
    EXPECT_EQ(scene.at(4, 4), grey(0));
    EXPECT_EQ(scene.at(9, 9), grey(0));
    EXPECT_EQ(scene.at(11, 11), grey(0));
    EXPECT_EQ(scene.at(12, 12), grey(50));
    EXPECT_EQ(scene.at(15, 15), grey(50));
}

TEST(Compositor, DeletedSpriteLeavesNoCommandBehind) {
    Scene scene;
    scene.picture(0, 4, 4, grey(50));
    scene.show(0, 0, 0, 0, 1);
    scene.compositor.resetDrawLists();
    scene.compositor.updateSprites(scene.clock, scene.look.brightness);
    // Deleted between update and compose (AddressSanitizer would catch a
    // command left dangling in the chain).
    scene.compositor.remove(0, scene.mark);
    scene.compositor.markMoved(scene.mark);
    scene.compositor.compose(scene.screen.view(), scene.dirty, scene.look);
    EXPECT_EQ(scene.at(0, 0), grey(0));
}

}  // namespace
}  // namespace marlit
