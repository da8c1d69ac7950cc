// Small scenes built through the game's graphics operations and run through
// the frame tick on the headless back end; each frame is checked against
// its golden digest (tests/support/golden_frames.h). To renew the digests,
// run this program alone with MARLIT_UPDATE_GOLDEN=1 (and look at the frames
// that MARLIT_GOLDEN_PNG=<folder> writes).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "tests/player/graphics/headless_game.h"
#include "tests/support/golden_frames.h"

namespace marlit {
namespace {

using test::HeadlessGame;

test::GoldenBook& book() {
    static test::GoldenBook b(std::string(MARLIT_SOURCE_DIR) +
                              "/tests/player/graphics/golden_frames.txt");
    return b;
}

void expectGolden(HeadlessGame& game, const std::string& name) {
    const Surface s = game.backBuffer();
    std::string message;
    EXPECT_TRUE(book().check(name, {s.pixels, s.width, s.height, s.pitch}, &message)) << message;
}

enum Slot { kBackground = 28, kFigure = 24, kOtherFigure = 25, kMarker = 10, kPanel = 1 };

// A picture of a design-space size, each pixel from `paint(x, y, w, h)`
// as blue, green, red, alpha.
void paintPicture(GameContext& ctx, int slot, int width, int height,
                  const std::function<uint32_t(int, int, int, int)>& paint) {
    auto p = std::make_unique<WorkingPicture>();
    p->width = ctx.geometry.toScreen(width);
    p->height = ctx.geometry.toScreen(height);
    p->pixels.resize(static_cast<size_t>(p->width) * p->height * 4);
    for (int y = 0; y < p->height; ++y) {
        for (int x = 0; x < p->width; ++x) {
            const uint32_t v = paint(x, y, p->width, p->height);
            uint8_t* px = &p->pixels[(static_cast<size_t>(y) * p->width + x) * 4];
            for (int i = 0; i < 4; ++i)
                px[i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
    ASSERT_TRUE(ctx.compositor->pictures.put(slot, std::move(p)));
}

uint32_t bgra(int b, int g, int r, int a) {
    return static_cast<uint32_t>(b | g << 8 | r << 16 | a << 24);
}

// A figure: an ellipse with a soft edge, shaded top to bottom.
uint32_t figure(int x, int y, int w, int h, int hue) {
    const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
    const double d = std::sqrt(dx * dx + dy * dy);
    const int alpha = d >= 1 ? 0 : d <= 0.8 ? 255 : static_cast<int>((1 - d) / 0.2 * 255);
    const int shade = 80 + 150 * y / h;
    return bgra(hue == 0 ? shade : 60, 90 + x, hue == 0 ? 70 : shade, alpha);
}

void standardPictures(GameContext& ctx) {
    paintPicture(ctx, kBackground, 800, 600, [](int x, int y, int w, int h) {
        const int check = (x / 16 + y / 16) % 2 ? 170 : 70;
        return bgra(x * 255 / w, y * 255 / h, check, 255);
    });
    paintPicture(ctx, kFigure, 200, 400,
                 [](int x, int y, int w, int h) { return figure(x, y, w, h, 0); });
    paintPicture(ctx, kOtherFigure, 200, 400,
                 [](int x, int y, int w, int h) { return figure(x, y, w, h, 1); });
    // Quadrants that show which way a picture is turned.
    paintPicture(ctx, kMarker, 150, 75, [](int x, int y, int w, int h) {
        if (x < 4 || y < 4)
            return bgra(255, 255, 255, 255);
        const bool right = x >= w / 2, bottom = y >= h / 2;
        return bgra(right ? 220 : 30, bottom ? 200 : 40, right ? 40 : 230,
                    bottom && right ? 128 : 255);
    });
    paintPicture(ctx, kPanel, 760, 214, [](int, int, int, int) { return bgra(120, 40, 20, 255); });
}

TEST(GoldenFrames, BackgroundAndCharactersWithAlpha) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    standardPictures(ctx);
    ctx.graphics->showWholePicture(28, kBackground, {0, 0}, 32);
    game.frame();
    expectGolden(game, "background");

    ctx.graphics->showWholePicture(24, kFigure, {120, 120}, 28);
    ctx.graphics->showWholePicture(25, kOtherFigure, {420, 80}, 28);
    ctx.graphics->setSpriteAlpha(25, 160);
    ctx.graphics->showWholePicture(26, kFigure, {560, 180}, 26);
    ctx.graphics->setSpriteBrightness(26, 384);
    ctx.graphics->showWholePicture(1, kPanel, {20, 384}, 3);
    ctx.graphics->setSpriteAlpha(1, 96);
    ctx.graphics->showColour(2, 0x204060, {40, 20, 200, 60}, 2, true);
    game.frame();
    expectGolden(game, "characters");

    // Moving one figure redraws its old and new place only.
    ctx.graphics->moveSprite(24, 300, 150);
    game.frame();
    expectGolden(game, "characters_moved");
    ctx.graphics->removeSprite(25);
    game.frame();
    expectGolden(game, "characters_removed");
}

TEST(GoldenFrames, ScaledRotatedAndCrossfaded) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    standardPictures(ctx);
    ctx.graphics->showWholePicture(28, kBackground, {0, 0}, 32);
    ctx.graphics->showWholePicture(10, kMarker, {60, 60}, 10);
    ctx.graphics->transformSprite(10, 1500, 1500, 0, 75, 37);
    ctx.graphics->showWholePicture(11, kMarker, {420, 60}, 10);
    ctx.graphics->transformSprite(11, 1000, 1000, 30, 75, 37);
    ctx.graphics->showWholePicture(12, kMarker, {620, 260}, 10);
    ctx.graphics->transformSprite(12, 700, 700, 90, 0, 0);
    ctx.graphics->showWholePicture(13, kMarker, {100, 400}, 10);
    ctx.graphics->transformSprite(13, 1200, 1200, 200, 75, 37);
    ctx.graphics->setSpriteBrightness(13, 160);
    ctx.graphics->showWholePicture(14, kFigure, {280, 200}, 12);
    ctx.graphics->transformSprite(14, 500, 1200, 0, 100, 200);
    ctx.graphics->setSpriteAlpha(14, 200);
    game.frame();
    expectGolden(game, "transformed");

    // Crossfade of two figures, without and with brightness.
    ctx.graphics->removeSprites(10, 14);
    ctx.graphics->showWholePicture(24, kFigure, {150, 100}, 28);
    ctx.graphics->crossfadeSprite(24, kOtherFigure);
    ctx.graphics->setSpriteAlpha(24, 96);
    ctx.graphics->showWholePicture(25, kFigure, {450, 100}, 28);
    ctx.graphics->crossfadeSprite(25, kOtherFigure);
    ctx.graphics->setSpriteAlpha(25, 200);
    ctx.graphics->setSpriteBrightness(25, 300);
    game.frame();
    expectGolden(game, "crossfade");
}

TEST(GoldenFrames, FadesThroughTheBrightnessCommand) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    standardPictures(ctx);
    ctx.graphics->showWholePicture(28, kBackground, {0, 0}, 32);
    ctx.graphics->showWholePicture(24, kFigure, {120, 120}, 28);
    ctx.graphics->showWholePicture(25, kOtherFigure, {480, 120}, 28);
    ctx.graphics->keepSpriteBrightness(25, true);
    const uint32_t start = game.now();
    ctx.graphics->showFade(0, 127, {.effect = 63, .duration = 1000, .fill = true});
    for (int t : {0, 250, 500}) {
        game.runUntil(start + t);
        expectGolden(game, "fade_in_black_" + std::to_string(t));
    }
    game.runUntil(start + 1000);
    expectGolden(game, "fade_in_black_end");
    EXPECT_EQ(ctx.brightness, 256);

    ctx.graphics->removeSprite(0);
    const uint32_t out = game.now();
    ctx.graphics->showFade(0, 127, {.effect = 191, .duration = 600, .white = true});
    game.runUntil(out + 300);
    expectGolden(game, "fade_out_white_300");
    game.runUntil(out + 700);
    EXPECT_EQ(ctx.compositor->sprite(0), nullptr);
    EXPECT_EQ(ctx.brightness, 512);
    ctx.graphics->redrawScreen();
    game.frame();
    expectGolden(game, "fade_out_white_end");
}

TEST(GoldenFrames, FrameAnimation) {
    HeadlessGame game;
    GameContext& ctx = game.ctx();
    standardPictures(ctx);
    ctx.graphics->showWholePicture(28, kBackground, {0, 0}, 32);
    ctx.graphics->showPicture(30, kMarker, {0, 0, 75, 37}, {300, 300}, 6);
    std::vector<AnimationFrame> frames;
    for (int i = 0; i < 4; ++i) {
        AnimationFrame f;
        f.picture = kMarker;
        f.x = (i % 2) * 75;
        f.y = (i / 2) * 37;
        f.width = 75;
        f.height = 37;
        f.offsetX = i * 40;
        f.duration = 100;
        f.next = i == 3 ? 0 : i + 1;
        frames.push_back(f);
    }
    const uint32_t start = game.now();
    ASSERT_TRUE(ctx.graphics->animateSprite(30, frames));
    for (int t : {0, 100, 200, 300, 400}) {
        game.runUntil(start + t);
        expectGolden(game, "animation_" + std::to_string(t));
    }
}

struct TransitionCase {
    TransitionParams params;
    std::vector<int> times;
};

TEST(GoldenFrames, Transitions) {
    const TransitionParams blinds{.duration = 1000, .tileSize = 40, .speed = 4, .steps = 16};
    const TransitionParams fades{.duration = 1000, .tileSize = 40, .speed = 48, .steps = 16};
    std::vector<TransitionCase> cases;
    for (int effect : {1, 129, 60})
        cases.push_back({{.effect = effect, .duration = 1000}, {250, 500}});
    for (int effect : {5, 9, 6, 10, 11, 12, 13, 14, 133, 137, 134, 138, 139, 142}) {
        TransitionParams s = blinds;
        s.effect = effect;
        cases.push_back({s, {250, 500, 750}});
    }
    for (int effect : {16, 17, 18, 19, 20, 21, 22, 23, 144, 151}) {
        TransitionParams s = fades;
        s.effect = effect;
        cases.push_back({s, {250, 500, 750}});
    }
    for (int effect : {48, 49}) {
        cases.push_back(
            {{.effect = effect, .duration = 1000, .tileSize = 40, .spread = 12, .speed = 2},
             {250, 500}});
    }
    cases.push_back(
        {{.effect = 240, .duration = 3000, .tileSize = 40, .speed = 1}, {250, 1000, 2500}});

    for (const TransitionCase& c : cases) {
        HeadlessGame game;
        GameContext& ctx = game.ctx();
        standardPictures(ctx);
        ctx.graphics->showWholePicture(28, kBackground, {0, 0}, 32);
        ctx.graphics->showWholePicture(24, kFigure, {300, 100}, 28);
        game.frame();
        const uint32_t start = game.now();
        ASSERT_TRUE(ctx.graphics->transitionSprite(24, c.params)) << c.params.effect;
        for (int t : c.times) {
            game.runUntil(start + t);
            expectGolden(game,
                         "transition_" + std::to_string(c.params.effect) + "_" + std::to_string(t));
        }
        // Disappearing programs remove the sprite when they end; the others
        // leave it drawn plainly again.
        game.runUntil(start + c.params.duration + 16);
        EXPECT_EQ(ctx.compositor->sprite(24) == nullptr, (c.params.effect & 128) != 0)
            << c.params.effect;
    }
}

}  // namespace
}  // namespace marlit
