// A scenario script of any bytes, loaded and stepped for up to 300 frames
// on the real graphics operations (no window) with a clock that moves on
// and clicks now and then: whatever the script holds, the interpreter stays
// inside it, inside the 65 536 variables and inside the picture and sprite
// slots, and a broken script ends in the title, not in a crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/mlz_pack_writer.h"
#include "formats/mlz_reader.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/display.h"
#include "player/core/mode_screen.h"
#include "player/graphics/compositor.h"
#include "player/graphics/graphics_ops.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/text_commands.h"

namespace {

using namespace marlit;

class QuietSound : public ScenarioSound {
  public:
    void playEffect(int, bool) override {}
    void stopEffect() override {}
    void playMusic(int number) override { music_ = std::to_string(number); }
    void stopMusic() override { music_.clear(); }
    void playVoice(std::string_view) override {}
    void stopVoice() override {}
    bool voicePlaying() override { return false; }
    void stopAll() override { music_.clear(); }
    std::string musicName() const override { return music_; }

  private:
    std::string music_;
};

std::string packPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("fuzz_scenario_" + std::to_string(getpid()) + ".mlz"))
                                        .string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    // Stored (not compressed), so the index only changes with the size.
    MlzPackWriter writer;
    if (!writer.open(packPath()) ||
        !writer.add("AdvData\\mes\\0306a_z01.mes", {data, size}, kMlzStored) ||
        !writer.add("AdvData\\mes\\next.mes", {data, size}, kMlzStored) || !writer.finish())
        return 0;

    uint32_t time = 5000;
    Compositor compositor;
    Display display(320, 240);
    DirtyRectList dirty;
    dirty.setBounds(320, 240);
    TickClock clock([&time] { return time; });
    MlzReader reader;
    DataPaths paths;
    paths.picturePack = packPath();
    Settings settings;
    settings.voicePlay = 2;
    settings.sePlay = 2;
    settings.dispFreeMode = size % 3;
    InputState input;
    GameRandom random(size);
    ScenarioTables tables;
    tables.places = {{3, "AdvData\\grp\\a.rbp"}};
    tables.manner = {"AdvData\\grp\\a.rbp"};
    int32_t shakeX = 0, shakeY = 0, brightness = 256;
    GraphicsOps graphics(compositor, display, dirty, ScreenGeometry::forBuild(false), clock, reader,
                         paths);
    QuietSound sound;
    ScenarioState state;
    ScenarioEngine engine(state, ScenarioServices{graphics, sound, settings, input, random, reader,
                                                  paths, tables, shakeX, shakeY, brightness,
                                                  [](const std::string&) {}, [] { return 0u; }});
    engine.commandsPerStepLimit = 2000;
    // The text commands run through a window without a drawer.
    MessageWindow window(graphics, settings, nullptr);
    installTextCommands(engine, window);
    engine.StartNewGame();
    if (!engine.LoadScript("0306a_z01"))
        return 0;
    const MarkDirty mark = [](const Rect&) {};
    for (int frame = 0; frame < 300 && state.mode == kModeScenario; ++frame) {
        time += 16 + (frame % 7) * 40;
        input.tap = frame % 13 == 0 ? 1 : 0;
        input.stylusX = frame * 37 % 320;
        input.stylusY = frame * 53 % 240;
        input.press[kPressUp] = frame % 5 == 0 ? 1 : 0;
        input.press[kPressDown] = frame % 11 == 0 ? 1 : 0;
        input.press[kPressA] = frame % 17 == 0 ? 1 : 0;
        engine.Step();
        compositor.resetDrawLists();
        compositor.updateSprites(clock, brightness);
        compositor.removeFinished(mark);
        compositor.markMoved(mark);
    }
    return 0;
}
