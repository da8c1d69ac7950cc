// The title's extras on a headless player: the real GameContext, the
// screens registered with tables the test writes, input sent as the
// window's events, and sprite sources read back in the design space.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "player/screens/music_room_screen.h"
#include "player/screens/picture_gallery_screen.h"
#include "player/screens/scene_gallery_screen.h"
#include "player/shell/frame_tick.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

class ExtrasTest : public ::testing::Test {
  public:
    explicit ExtrasTest(int width = 640) : game(width, width * 3 / 4), ctx(game.ctx()) {}

    ScreenServices services() {
        return ScreenServices{*ctx.graphics,
                              *ctx.sound,
                              ctx.settings,
                              ctx.input,
                              ctx.random,
                              ctx.platform.localTime,
                              ctx.brightness,
                              ctx.scenario,
                              [this](const std::string& line) { reports.push_back(line); },
                              {}};
    }

    // The screens of the three modes, with these tables.
    void registerScreens(const ExtrasTables& tables) {
        ctx.paths.picturePack = dir.file(ctx.geometry.vga() ? "grpack_v.mlz" : "grpack.mlz");
        music = static_cast<MusicRoomScreen*>(ctx.modes.set(
            kModeMusicRoom, std::make_unique<MusicRoomScreen>(services(), *ctx.scenarioEngine)));
        gallery = static_cast<PictureGalleryScreen*>(ctx.modes.set(
            kModeGallery, std::make_unique<PictureGalleryScreen>(services(), *ctx.scenarioEngine,
                                                                 ExtrasTableSource(tables))));
        ExtrasHooks hooks;
        hooks.enableSaveItems = [this](bool on) { saveItems.push_back(on); };
        scenes = static_cast<SceneGalleryScreen*>(ctx.modes.set(
            kModeSceneGallery,
            std::make_unique<SceneGalleryScreen>(services(), *ctx.scenarioEngine,
                                                 ExtrasTableSource(tables), std::move(hooks))));
    }

    // Pictures of plain grey at the screen's scale (design sizes), and
    // scripts by label.
    void pack(const std::map<std::string, std::pair<int, int>>& pictures,
              const std::map<std::string, ScriptBuilder>& scripts = {}) {
        std::map<std::string, std::vector<uint8_t>> e;
        // Each picture its own grey, so that frames tell them apart.
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

    // Enters a mode as the title leaves for it, and runs to its choice step.
    void enter(int mode) {
        ctx.scenario.mode = mode;
        ctx.scenario.subState = 0;
        ASSERT_TRUE(runTo(mode, 2));
    }

    void frame() {
        game.frame();
        for (const Event& e : letGo_)
            dispatchEvent(ctx, e);
        letGo_.clear();
    }
    bool runTo(int mode, int sub, int limit = 1000) {
        for (int i = 0; i < limit; ++i) {
            if (ctx.scenario.mode == mode && ctx.scenario.subState == sub)
                return true;
            frame();
        }
        return false;
    }
    void key(int16_t code) {
        dispatchEvent(ctx, Event{EventType::KeyDown, code, 0, 0});
        letGo_.push_back(Event{EventType::KeyUp, code, 0, 0});
        frame();
    }
    void down() { key(ctx.keyList.vkDown); }
    void up() { key(ctx.keyList.vkUp); }
    void decide() { key(ctx.keyList.vkC); }
    // A tap at a design-space point (the device is portrait: a quarter turn).
    void tap(int x, int y) {
        const int sx = ctx.geometry.toScreen(x), sy = ctx.geometry.toScreen(y);
        int px = sy, py = ctx.geometry.width - 1 - sx;
        if (ctx.geometry.vga()) {
            px /= 2;
            py /= 2;
        }
        dispatchEvent(ctx, Event{EventType::StylusDown, 0, px, py});
        letGo_.push_back(Event{EventType::StylusUp, 0, px, py});
        frame();
    }
    const Sprite* sprite(int n) { return ctx.compositor->sprite(n); }
    // Whether a sprite shows this design-space source (top-left).
    bool shows(int n, int x, int y) {
        const Sprite* s = sprite(n);
        return s && s->command.source.left == ctx.geometry.toScreen(x) &&
               s->command.source.top == ctx.geometry.toScreen(y);
    }
    // The name a picture slot was loaded by, empty when it holds none.
    std::string pictureIn(int slot) {
        const WorkingPicture* p = ctx.compositor->pictures.get(slot);
        return p ? p->name : std::string();
    }

    HeadlessGame game;
    GameContext& ctx;
    TempDir dir;
    MusicRoomScreen* music = nullptr;
    PictureGalleryScreen* gallery = nullptr;
    SceneGalleryScreen* scenes = nullptr;
    std::vector<std::string> reports;
    std::vector<bool> saveItems;

  private:
    std::vector<Event> letGo_;
};

}  // namespace marlit::test
