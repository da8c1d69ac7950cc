// A scenario engine on the real graphics operations (a 320 x 240 back
// buffer, no window), a clock the test sets, and a sound recorder.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formats/mlz_reader.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/display.h"
#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/scenario/scenario_engine.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

class RecordingSound : public ScenarioSound {
  public:
    std::vector<std::string> calls;
    std::string music;
    bool voiceOn = false;  // the voice channel, as the test plays it

    void playEffect(int number, bool loop) override {
        calls.push_back("effect " + std::to_string(number) + (loop ? " loop" : ""));
    }
    void stopEffect() override { calls.push_back("stop effect"); }
    void playMusic(int number) override {
        calls.push_back("music " + std::to_string(number));
        music = std::to_string(number);
    }
    void stopMusic() override {
        calls.push_back("stop music");
        music.clear();
    }
    void playVoice(std::string_view name) override {
        calls.push_back("voice " + std::string(name));
    }
    void stopVoice() override {
        calls.push_back("stop voice");
        voiceOn = false;
    }
    bool voicePlaying() override { return voiceOn; }
    void stopAll() override { calls.push_back("stop all"); }
    std::string musicName() const override { return music; }
    std::string loopingEffect() const override { return looping; }
    void restoreMusic(std::string_view name) override {
        calls.push_back("restore music " + std::string(name));
        music = std::string(name);
    }
    void restoreLoopingEffect(std::string_view name) override {
        calls.push_back("restore effect " + std::string(name));
        looping = std::string(name);
    }
    std::string looping;  // the looping effect a test pretends to play

    bool saw(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

class ScenarioTest : public ::testing::Test {
  public:
    explicit ScenarioTest(int width = 320)
        : display(width, width * 3 / 4),
          clock([this] { return time; }),
          graphics(compositor, display, dirty, ScreenGeometry::forBuild(width > 639), clock, reader,
                   paths),
          engine(state,
                 ScenarioServices{graphics, sound, settings, input, random, reader, paths, tables,
                                  shakeX, shakeY, brightness,
                                  [this](const std::string& line) { reports.push_back(line); },
                                  [this] { return frame; }}) {
        dirty.setBounds(width, width * 3 / 4);
        paths.picturePack = dir.file("grpack.mlz");
        settings.voicePlay = 2;
        settings.sePlay = 2;
        tables.places = {{5, "AdvData\\grp\\BG\\umi_01.rbp"}, {8, "AdvData\\GRP\\BG\\hai_01.rbp"}};
        tables.manner = {"AdvData\\GRP\\BG\\a09b.rbp"};
        tables.dayCard[0] = {"duzo", 400};
        // Command 7 (a text command, not run by the engine itself) holds the
        // script where it stands: the tests' "wait here".
        engine.setHandler(7, [](ScenarioEngine&, const Command&) { return StepResult::Yield; });
    }

    // Writes the pack: the scripts by label, and small pictures by path.
    void pack(const std::map<std::string, ScriptBuilder>& scripts,
              const std::vector<std::string>& pictureNames = {}) {
        std::map<std::string, std::vector<uint8_t>> entries;
        for (const auto& [label, script] : scripts)
            entries["AdvData\\mes\\" + label + ".mes"] = script.bytes();
        for (const std::string& name : pictureNames)
            entries[name] = greyPicture(16, 16, 0x60);
        ASSERT_TRUE(writePack(paths.picturePack, entries));
    }
    // Packs one script, starts a new game and loads it.
    void play(const ScriptBuilder& script, const std::vector<std::string>& pictureNames = {}) {
        pack({{"test", script}}, pictureNames);
        engine.StartNewGame();
        ASSERT_TRUE(engine.LoadScript("test")) << engine.loadError();
    }
    // One frame: the clock moves on by `ms` first.
    void step(uint32_t ms = 16) {
        time += ms;
        ++frame;
        engine.Step();
    }

    TempDir dir;
    uint32_t time = 1000;
    uint64_t frame = 0;
    Compositor compositor;
    Display display;
    DirtyRectList dirty;
    TickClock clock;
    MlzReader reader;
    DataPaths paths;
    Settings settings;
    InputState input;
    GameRandom random{7};
    ScenarioTables tables;
    int32_t shakeX = 0;
    int32_t shakeY = 0;
    int32_t brightness = 256;
    GraphicsOps graphics;
    RecordingSound sound;
    ScenarioState state;
    std::vector<std::string> reports;
    ScenarioEngine engine;
};

}  // namespace marlit::test
