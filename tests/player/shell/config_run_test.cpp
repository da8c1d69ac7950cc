// The player and marlitpc.cfg: start-up reads it into the settings and the
// data places, the window's end writes the settings back once.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "formats/rbp_codec.h"
#include "platform/headless/headless_platform.h"
#include "player/graphics/compositor.h"
#include "player/screens/screen_tables.h"
#include "player/screens/title_voices.h"
#include "player/shell/startup.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

std::string systemFolder(const std::filesystem::path& host) {
    std::string s = host.string();
    for (char& c : s) {
        if (c == '/')
            c = '\\';
    }
    return s + "\\";
}

std::vector<uint8_t> placeRbp() {
    std::vector<uint8_t> bgr(6 * 3 * 3, 0x40);
    PictureView view;
    view.width = 6;
    view.height = 3;
    view.pixels = bgr;
    view.sourceWidth = 6;
    view.sourceHeight = 3;
    return EncodeRbp(view, 0).value();
}

struct Seen {
    Settings settings;
    DataPaths paths;
    int placeWidth = -1;
    std::string titleVoice;  // row 0's name for situation 1
    std::string dayScript;   // the day change's script of day 3
};

// Runs the player on `folder` for a few frames, then closes its window.
Seen run(const std::filesystem::path& folder, bool vga,
         const std::function<void(GameContext&)>& change = {}) {
    const int w = vga ? 640 : 320;
    const int h = vga ? 480 : 240;
    HeadlessPlatform backend(w, h, {{200, Event{EventType::Close, 0, 0, 0}}});
    PlayerOptions options;
    options.vga = vga;
    options.programFolder = systemFolder(folder);
    Seen seen;
    options.afterTick = [&](GameContext& ctx) {
        seen.settings = ctx.settings;
        seen.paths = ctx.paths;
        const WorkingPicture* place = ctx.compositor->pictures.get(65);
        seen.placeWidth = place ? place->width : -1;
        seen.titleVoice = ctx.titleVoices->name(1, 0);
        seen.dayScript = ctx.screenTables->dayScript(3);
        if (change)
            change(ctx);
    };
    EXPECT_EQ(runPlayer(backend.platform(), options), 0);
    return seen;
}

void writeText(const std::string& path, const std::string& text) {
    ASSERT_TRUE(writeHostFileAtomic(
        path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
}

TEST(ConfigRun, StartUpReadsTheFileAndTheWindowsEndWritesItOnce) {
    test::TempDir dir;
    const auto game = dir.path() / "game";
    std::filesystem::create_directories(game / "data");
    MlzPackWriter pack;
    ASSERT_TRUE(pack.openHost((game / "data" / "pk_v.mlz").string()));
    ASSERT_TRUE(pack.add("AdvData\\grp\\system\\place.rbp", placeRbp()));
    ASSERT_TRUE(pack.finish());
    const std::string cfg = (game / "marlitpc.cfg").string();
    const std::string original =
        "; installed with the data\n"
        "[HXRT_INST_DIR]\n"
        "GDATA=data\\pk.mlz\n"
        "[MUSIC_CONFIG]\n"
        "MASTER_VOL=50\n"
        "[system_config]\n"
        "key_cen_ctrl = -3\n"
        "[MINE]\n"
        "OWN=kept\n";
    writeText(cfg, original);
    // The data set's own tables lie beside the pack the file names.
    writeText((game / "data" / "title_voices.txt").string(), "OWN\\T%z2.mp3\n");
    writeText((game / "data" / "day_change.txt").string(), "3 own_day\n");

    Seen seen = run(game, true, [](GameContext& ctx) { ctx.settings.musicVol = 30; });
    EXPECT_EQ(seen.paths.picturePack, systemFolder(game) + "data\\pk_v.mlz");
    EXPECT_EQ(seen.paths.voicePack, systemFolder(game) + "1\\voice.mlz")
        << "an absent key keeps the start-up place";
    EXPECT_EQ(seen.placeWidth, 6) << "the place names are in picture slot 65";
    EXPECT_EQ(seen.titleVoice, "OWN\\T01.mp3") << "the title voices of the data set";
    EXPECT_EQ(seen.dayScript, "own_day") << "the day-change scripts of the data set";
    EXPECT_EQ(seen.settings.masterVol, 50);
    EXPECT_EQ(seen.settings.keyCenCtrl, -3);

    const std::string written = test::readFileText(cfg);
    EXPECT_EQ(written.rfind("; installed with the data\r\n[HXRT_INST_DIR]\r\nGDATA=data\\pk.mlz\r\n"
                            "[MUSIC_CONFIG]\r\nMUSIC_VOL=30\r\nPCM=0\r\nMASTER_VOL=50\r\n",
                            0),
              0u)
        << written;
    EXPECT_NE(written.find("KEY_CEN_CTRL=-3\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[MINE]\r\nOWN=kept\r\n"), std::string::npos) << written;
    // Written once: the backup is the file as installed, not a first write.
    EXPECT_EQ(test::readFileText(backupPathOf(cfg)), original);

    // The next run starts with what the last one wrote.
    seen = run(game, true);
    EXPECT_EQ(seen.settings.musicVol, 30);
    EXPECT_EQ(test::readFileText(backupPathOf(cfg)), written);
}

TEST(ConfigRun, WithoutAFileTheDefaultsHoldSoundIsOnAndTheFileIsCreated) {
    test::TempDir dir;
    const Seen seen = run(dir.path(), false);
    EXPECT_EQ(seen.paths.picturePack, systemFolder(dir.path()) + "1\\grpack.mlz");
    EXPECT_EQ(seen.placeWidth, -1) << "no pack, no place names, and no fault";
    EXPECT_EQ(seen.settings.masterVol, 100);
    EXPECT_EQ(seen.settings.pcm, 2) << "a fresh folder plays music";
    EXPECT_STREQ(seen.settings.name, "\x82\xe4\x82\xa4");
    const std::string written = test::readFileText(dir.file("marlitpc.cfg"));
    EXPECT_EQ(written.rfind("[MUSIC_CONFIG]\r\nMUSIC_VOL=100\r\nMASTER_VOL=100\r\nPCM=2\r\n", 0),
              0u)
        << written;
}

}  // namespace
}  // namespace marlit
