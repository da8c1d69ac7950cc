// The framing screens on a headless player: the real GameContext and its
// subsystems, a picture pack of plain pictures at the screen's scale, the
// local clock the test sets, and input sent as the window's events.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "player/screens/logo_screen.h"
#include "player/screens/title_screen.h"
#include "player/shell/frame_tick.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

class FixedLocalTime : public LocalTime {
  public:
    DateTime time{2026, 12, 3, 9, 12, 0, 0, 0};
    DateTime now() override { return time; }
};

class FramingTest : public ::testing::Test {
  public:
    explicit FramingTest(int width = 320) : game(width, width * 3 / 4), ctx(game.ctx()) {}

    void SetUp() override {
        ctx.paths.picturePack = dir.file(ctx.geometry.vga() ? "grpack_v.mlz" : "grpack.mlz");
        ctx.settings.voicePlay = 2;
        std::vector<std::string> patterns;
        for (int row = 0; row < TitleVoices::kRows; ++row)
            patterns.push_back("VOICE\\SYSTEM\\R" + std::to_string(row) + "\\S%z2.mp3");
        voices = std::make_unique<TitleVoices>(*ctx.sound, ctx.random, patterns);
        ScreenServices services{*ctx.graphics,
                                *ctx.sound,
                                ctx.settings,
                                ctx.input,
                                ctx.random,
                                localTime,
                                ctx.brightness,
                                ctx.scenario,
                                [this](const std::string& line) { reports.push_back(line); },
                                [this](uint32_t ms) { interval = ms; }};
        ctx.modes.set(kModeOpening, std::make_unique<LogoScreen>(services, *voices));
        TitleHooks hooks;
        hooks.modeAvailable = [this](int mode) { return ctx.modes.get(mode) != nullptr; };
        title = static_cast<TitleScreen*>(ctx.modes.set(
            kModeTitle,
            std::make_unique<TitleScreen>(services, *ctx.scenarioEngine, *voices, hooks)));
    }

    // The pictures the screens load, as plain grey pictures of their
    // design size at the screen's scale, and scripts by label.
    void pack(const std::map<std::string, std::pair<int, int>>& pictures,
              const std::map<std::string, ScriptBuilder>& scripts = {}) {
        std::map<std::string, std::vector<uint8_t>> e;
        int level = 40;
        for (const auto& [name, size] : pictures) {
            e[name] = greyPicture(ctx.geometry.toScreen(size.first),
                                  ctx.geometry.toScreen(size.second), static_cast<uint8_t>(level));
            level = (level + 37) % 256;
        }
        for (const auto& [label, script] : scripts)
            e["AdvData\\mes\\" + label + ".mes"] = script.bytes();
        ASSERT_TRUE(writePack(ctx.paths.picturePack, e));
    }

    // One frame; keys and the stylus pressed before it are let go after it.
    void frame() {
        game.frame();
        for (const Event& e : letGo_)
            dispatchEvent(ctx, e);
        letGo_.clear();
    }
    // Frames until the sub-state is `sub` in `mode`; false after `limit`.
    bool runTo(int mode, int sub, int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            if (ctx.scenario.mode == mode && ctx.scenario.subState == sub)
                return true;
            frame();
        }
        return false;
    }
    // A key pressed for the next frame.
    void key(int16_t code) {
        dispatchEvent(ctx, Event{EventType::KeyDown, code, 0, 0});
        letGo_.push_back(Event{EventType::KeyUp, code, 0, 0});
    }
    // A tap at a design-space point in the next frame (the device is portrait: a quarter turn).
    void tap(int x, int y) {
        const int sx = ctx.geometry.toScreen(x), sy = ctx.geometry.toScreen(y);
        int px = sy, py = ctx.geometry.width - 1 - sx;
        if (ctx.geometry.vga()) {
            px /= 2;
            py /= 2;
        }
        dispatchEvent(ctx, Event{EventType::StylusDown, 0, px, py});
        letGo_.push_back(Event{EventType::StylusUp, 0, px, py});
    }
    const Sprite* sprite(int n) { return ctx.compositor->sprite(n); }

    HeadlessGame game;
    GameContext& ctx;
    TempDir dir;
    FixedLocalTime localTime;
    std::unique_ptr<TitleVoices> voices;
    TitleScreen* title = nullptr;
    std::vector<std::string> reports;
    uint32_t interval = 0;

  private:
    std::vector<Event> letGo_;
};

}  // namespace marlit::test
