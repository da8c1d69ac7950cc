#include "player/graphics/graphics_ops.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "formats/rbp_codec.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

using test::HeadlessGame;

void solidPicture(GameContext& ctx, int slot, int w, int h, uint8_t level) {
    auto p = std::make_unique<WorkingPicture>();
    p->width = w;
    p->height = h;
    p->pixels.assign(static_cast<size_t>(w) * h * 4, level);
    for (size_t i = 3; i < p->pixels.size(); i += 4)
        p->pixels[i] = 255;
    ASSERT_TRUE(ctx.compositor->pictures.put(slot, std::move(p)));
}

uint8_t backAt(HeadlessGame& game, int x, int y) {
    const Surface s = game.backBuffer();
    return s.pixels[y * s.pitch + x * 3];
}

TEST(GraphicsOps, MergeZeroRectangleIsPresentedButNotRecomposed) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    solidPicture(ctx, 28, 320, 240, 80);
    ctx.graphics->showWholePicture(28, 28, {0, 0}, 32);
    game.frame();
    ASSERT_EQ(backAt(game, 5, 5), 80);
    const Surface s = game.backBuffer();
    s.pixels[5 * s.pitch + 5 * 3] = 255;      // blue at (5, 5)
    s.pixels[100 * s.pitch + 100 * 3] = 255;  // and at (100, 100)
    ctx.dirtyRects->add(Rect{0, 0, 10, 10}, 0);
    ctx.dirtyRects->add(Rect{90, 90, 110, 110}, 1);
    game.frame();
    EXPECT_EQ(backAt(game, 5, 5), 255);
    EXPECT_EQ(backAt(game, 100, 100), 80);
    // Landscape (5, 5) sits at device (5, 319 - 5); blue 255 is 0x1F there.
    EXPECT_EQ(game.backend().display().frameBuffer().pixel(5, 314) & 0x1F, 0x1F);

    // The overlay draws over the layers, in the recomposed rectangles only.
    std::vector<Rect> seen;
    ctx.compositor->overlay = [&](const Surface& s, std::span<const Rect> rects) {
        seen.assign(rects.begin(), rects.end());
        s.pixels[rects[0].top * s.pitch + rects[0].left * 3] = 7;
    };
    ctx.dirtyRects->add(Rect{0, 0, 10, 10}, 0);
    ctx.dirtyRects->add(Rect{30, 30, 40, 40}, 1);
    game.frame();
    EXPECT_EQ(seen, (std::vector<Rect>{{30, 30, 40, 40}}));
    EXPECT_EQ(backAt(game, 30, 30), 7);
}

TEST(GraphicsOps, DesignCoordinatesFollowTheScreenSize) {
    for (int width : {320, 640}) {
        HeadlessGame game(width, width * 3 / 4);
        GameContext& ctx = game.ctx();
        solidPicture(ctx, 3, 200, 200, 50);
        Sprite* s = ctx.graphics->showPicture(7, 3, {10, 20, 100, 50}, {400, 300}, 5);
        ASSERT_NE(s, nullptr);
        const int f = width / 320;  // 0.4 or 0.8 of the design space
        EXPECT_EQ(s->command.source, (Rect{4 * f, 8 * f, 4 * f + 40 * f, 8 * f + 20 * f}));
        game.frame();
        EXPECT_EQ(s->command.x, 160 * f);
        EXPECT_EQ(s->command.y, 120 * f);
        EXPECT_EQ(backAt(game, 160 * f, 120 * f), 50);
        EXPECT_EQ(backAt(game, 160 * f - 1, 120 * f), 0);

        // Turning about a pivot keeps the picture's top-left where it was.
        ctx.graphics->transformSprite(7, 1000, 1000, 0, 50, 25);
        game.frame();
        EXPECT_EQ(s->command.x, 160 * f);
        ctx.graphics->moveSprite(7, 0, 0);
        game.frame();
        EXPECT_EQ(s->command.x, 0);
        EXPECT_EQ(backAt(game, 0, 0), 50);
        EXPECT_EQ(backAt(game, 160 * f, 120 * f), 0);
    }
}

TEST(GraphicsOps, BadSlotsAndLayersAreRefused) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    solidPicture(ctx, 3, 20, 20, 50);
    EXPECT_EQ(ctx.graphics->showWholePicture(259, 3, {0, 0}, 1), nullptr);
    EXPECT_EQ(ctx.graphics->showWholePicture(5, 3, {0, 0}, 128), nullptr);
    EXPECT_EQ(ctx.graphics->showWholePicture(5, 3, {0, 0}, -1), nullptr);
    EXPECT_EQ(ctx.compositor->sprite(5), nullptr);
    EXPECT_FALSE(ctx.graphics->captureScreen(67));
    EXPECT_FALSE(ctx.graphics->blankPicture(2, 0, 10));
    EXPECT_FALSE(ctx.graphics->transitionSprite(40, {.effect = 1}));
    ctx.graphics->moveSprite(300, 1, 1);
    ctx.graphics->setSpriteAlpha(-4, 1);
    ctx.graphics->removeSprites(-10, 1000);
    ctx.graphics->freePicture(99);
    game.frame();
}

// A 24-bit 4 x 2 picture: magenta (the colour key) at (0, 0), grey elsewhere.
std::vector<uint8_t> keyedRbp() {
    std::vector<uint8_t> bgr(4 * 2 * 3, 0x80);
    bgr[0] = 255;
    bgr[1] = 0;
    bgr[2] = 255;
    PictureView view;
    view.width = 4;
    view.height = 2;
    view.pixels = bgr;
    view.sourceWidth = 4;
    view.sourceHeight = 2;
    return EncodeRbp(view, 0).value();
}

TEST(GraphicsOps, PicturesLoadFromThePackOrALooseFolder) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    test::TempDir dir;
    const std::string pack = dir.file("grpack.mlz");
    MlzPackWriter writer;
    ASSERT_TRUE(writer.open(pack));
    ASSERT_TRUE(writer.add("AdvData\\grp\\bg\\a.rbp", keyedRbp()));
    ASSERT_TRUE(writer.finish());
    ctx.paths.picturePack = pack;

    // The extension is replaced by ".rbp"; names compare without ASCII case.
    ASSERT_TRUE(ctx.graphics->loadPicture(28, "ADVDATA\\grp\\BG\\a.crx", true));
    const WorkingPicture* p = ctx.compositor->pictures.get(28);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width, 4);
    EXPECT_EQ(p->pixels[3], 0);  // the key is transparent
    EXPECT_EQ(p->pixels[7], 255);
    ASSERT_TRUE(ctx.graphics->loadPicture(27, "AdvData\\grp\\bg\\a.rbp", false));
    EXPECT_EQ(ctx.compositor->pictures.get(27)->pixels[3], 255);

    // A missing picture leaves the slot as it was.
    EXPECT_FALSE(ctx.graphics->loadPicture(28, "AdvData\\grp\\bg\\none.rbp", true));
    EXPECT_EQ(ctx.compositor->pictures.get(28), p);
    EXPECT_FALSE(ctx.graphics->loadPicture(67, "AdvData\\grp\\bg\\a.rbp", true));

    // A pack path ending with "\\" is a folder of loose pictures.
    std::filesystem::create_directories(dir.path() / "loose" / "AdvData" / "grp");
    ASSERT_TRUE(writeWholeAtomic((dir.path() / "loose" / "AdvData" / "grp" / "b.rbp").string(),
                                 keyedRbp()));
    ctx.paths.picturePack = (dir.path() / "loose").string() + "\\";
    ASSERT_TRUE(ctx.graphics->loadPicture(3, "AdvData\\grp\\b.rbp", false));
    EXPECT_EQ(ctx.compositor->pictures.get(3)->height, 2);
}

TEST(GraphicsOps, CaptureCopiesTheBackBuffer) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    solidPicture(ctx, 3, 20, 20, 50);
    ctx.graphics->showWholePicture(1, 3, {0, 0}, 1);
    game.frame();
    ASSERT_TRUE(ctx.graphics->captureScreen(60));
    const WorkingPicture* p = ctx.compositor->pictures.get(60);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width, 320);
    EXPECT_EQ(p->pixels[0], 50);
    EXPECT_EQ(p->pixels[3], 255);
    EXPECT_EQ(p->pixels[(20 * 320 + 20) * 4], 0);
}

}  // namespace
}  // namespace marlit
