#include "player/graphics/graphics_ops.h"

#include <gtest/gtest.h>

#include "tests/player/graphics/headless_game.h"

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
    showWholePicture(ctx, 28, 28, 0, 0, 32);
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
        Sprite* s = showPicture(ctx, 7, 3, 10, 20, 100, 50, 400, 300, 5);
        ASSERT_NE(s, nullptr);
        const int f = width / 320;  // 0.4 or 0.8 of the design space
        EXPECT_EQ(s->command.source, (Rect{4 * f, 8 * f, 4 * f + 40 * f, 8 * f + 20 * f}));
        game.frame();
        EXPECT_EQ(s->command.x, 160 * f);
        EXPECT_EQ(s->command.y, 120 * f);
        EXPECT_EQ(backAt(game, 160 * f, 120 * f), 50);
        EXPECT_EQ(backAt(game, 160 * f - 1, 120 * f), 0);

        // Turning about a pivot keeps the picture's top-left where it was.
        transformSprite(ctx, 7, 1000, 1000, 0, 50, 25);
        game.frame();
        EXPECT_EQ(s->command.x, 160 * f);
        moveSprite(ctx, 7, 0, 0);
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
    EXPECT_EQ(showWholePicture(ctx, 259, 3, 0, 0, 1), nullptr);
    EXPECT_EQ(showWholePicture(ctx, 5, 3, 0, 0, 128), nullptr);
    EXPECT_EQ(showWholePicture(ctx, 5, 3, 0, 0, -1), nullptr);
    EXPECT_EQ(ctx.compositor->sprite(5), nullptr);
    EXPECT_FALSE(captureScreen(ctx, 67));
    EXPECT_FALSE(blankPicture(ctx, 2, 0, 10));
    EXPECT_FALSE(transitionSprite(ctx, 40, {.effect = 1}));
    moveSprite(ctx, 300, 1, 1);
    setSpriteAlpha(ctx, -4, 1);
    removeSprites(ctx, -10, 1000);
    freePicture(ctx, 99);
    game.frame();
}

TEST(GraphicsOps, CaptureCopiesTheBackBuffer) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    solidPicture(ctx, 3, 20, 20, 50);
    showWholePicture(ctx, 1, 3, 0, 0, 1);
    game.frame();
    ASSERT_TRUE(captureScreen(ctx, 60));
    const WorkingPicture* p = ctx.compositor->pictures.get(60);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width, 320);
    EXPECT_EQ(p->pixels[0], 50);
    EXPECT_EQ(p->pixels[3], 255);
    EXPECT_EQ(p->pixels[(20 * 320 + 20) * 4], 0);
}

}  // namespace
}  // namespace marlit
