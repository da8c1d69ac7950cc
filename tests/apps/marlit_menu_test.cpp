// The popup menu as a user drives it, headless with scripted keys, at both
// screen sizes: the music volume changed through three levels and heard in
// the recorded sound, a save and its load through the menu, return to the
// title and quit, with the device's picture at the moments that matter.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/png.h"
#include "formats/mlz_pack_writer.h"
#include "formats/picture_view.h"
#include "formats/rbp_codec.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> greyPicture(int w, int h) {
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * 3, 0x70);
    PictureView v;
    v.width = w;
    v.height = h;
    v.pixels = bgr;
    v.sourceWidth = w;
    v.sourceHeight = h;
    return EncodeRbp(v, 0).value();
}

std::vector<uint8_t> text(uint8_t op, const std::string& s) {
    std::vector<uint8_t> out = {op};
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
    return out;
}

// Music 03 and a background, then a loop that waits.
std::vector<uint8_t> holdingScript() {
    std::vector<uint8_t> bytes = {0, 0, 0, 0, 6, 3, 0};
    for (const auto& part :
         {text('.', "BG\\umi_01"), text('2', "hold"),
          std::vector<uint8_t>{'^', 0, 0, 0, 0, 0, 0, 0, 0}, text(';', "hold")}) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

// The keys, 200 ms apart from `ms` on.
std::string presses(uint32_t& ms, std::initializer_list<const char*> keys) {
    std::string out;
    for (const char* key : keys) {
        out += std::to_string(ms) + " press " + key + "\n";
        ms += 200;
    }
    return out;
}

constexpr uint16_t kFace565 = 0xD699;

class MarlitMenu : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        vga = GetParam();
        const int w = vga ? 640 : 320;
        fs::create_directories(dir.path() / "1");
        MlzPackWriter pack;
        ASSERT_TRUE(pack.open((dir.path() / "1" / (vga ? "grpack_v.mlz" : "grpack.mlz")).string()));
        ASSERT_TRUE(pack.add("AdvData\\mes\\0226b_s01.mes", holdingScript()));
        ASSERT_TRUE(pack.add("AdvData\\grp\\BG\\umi_01.rbp", greyPicture(w, w * 3 / 4)));
        ASSERT_TRUE(pack.finish());
        const std::string music =
            test::encodeMp3((dir.path() / "1").string(), "03.mp3",
                            test::sineWave(22050, 2, 20.0, 440, 8000), {"-b", "64"});
        ASSERT_FALSE(music.empty()) << "lame could not encode the music";
    }
    // A landscape pixel of a device shot, RGB565.
    uint16_t pixel(uint64_t frame, int x, int y) {
        char name[64];
        std::snprintf(name, sizeof name, "device_%06llu.png",
                      static_cast<unsigned long long>(frame));
        std::string error;
        auto png = readPng(dir.file("shots/" + std::string(name)), &error);
        EXPECT_TRUE(png) << error;
        if (!png)
            return 0;
        // The device is portrait: landscape (x, y) is device (y, W - 1 - x).
        const size_t dx = static_cast<size_t>(y);
        const size_t dy = static_cast<size_t>(png->height - 1 - x);
        const uint8_t* p = &png->pixels[(dy * png->width + dx) * png->channels];
        return static_cast<uint16_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3));
    }
    bool vga = false;
    test::TempDir dir;
};

TEST_P(MarlitMenu, VolumeSaveLoadTitleAndQuitThroughTheMenu) {
    std::string input;
    uint32_t ms = 2000;
    // 設定 -> ﾐｭｰｼﾞｯｸ -> 音量 -> 50%.
    input += presses(ms, {"b", "down", "down", "down", "down", "right", "down", "down", "right",
                          "down", "right", "down", "down", "down", "down", "down", "down", "c"});
    const uint32_t volumeChanged = ms;
    // ｾｰﾌﾞ -> SAVE_001.
    ms = 8000;
    input += presses(ms, {"b", "down", "down", "right", "down", "c"});
    // ﾛｰﾄﾞ -> LOAD_001.
    ms = 10000;
    input += presses(ms, {"b", "down", "right", "down", "c"});
    // ﾀｲﾄﾙに戻る.
    ms = 12000;
    input += presses(ms, {"b", "up", "up", "c"});
    input += "14000 quit\n";
    std::ofstream(dir.file("input.txt")) << input;

    // Frames (16 ms) to look at: the root, the volume level, SAVE_001 and
    // LOAD_001 highlighted, ﾀｲﾄﾙに戻る highlighted, and after the return.
    const std::vector<uint64_t> shots = {130, 260, 556, 668, 781, 800};
    std::string at;
    for (uint64_t f : shots)
        at += (at.empty() ? "" : ",") + std::to_string(f);
    const auto r = test::runProgram(
        test::programPath(vga ? "marlit_vga" : "marlit"),
        {"--headless", "--dir", dir.path().string(), "--script", "0226b_s01", "--input",
         dir.file("input.txt"), "--audio-out", dir.file("sound.wav"), "--shots", dir.file("shots"),
         "--device-shots", "--shot-at", at, "--dump-state", dir.file("state.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("cannot"), std::string::npos) << r.err;

    // The menu was on the device while open, and gone after.
    for (uint64_t f : {130, 260, 556, 668, 781})
        EXPECT_EQ(pixel(f, 3, 30), kFace565) << f;
    EXPECT_NE(pixel(800, 3, 30), kFace565);

    // The music at half its volume from the choice on: 6 dB lower.
    auto pcm = test::readWav(dir.file("sound.wav"));
    ASSERT_TRUE(pcm);
    const auto left = test::leftChannel(*pcm);
    const size_t rate = static_cast<size_t>(pcm->rate);
    const double before = test::levelDb(left, rate * 1, rate);
    const double after = test::levelDb(left, rate * (volumeChanged / 1000 + 1), rate);
    std::printf("music level %.2f dB before, %.2f dB after the change\n", before, after);
    EXPECT_NEAR(after - before, -6.02, 0.5);

    // The save, the settings (written once, at the end), the title.
    EXPECT_GE(fs::file_size(dir.path() / (vga ? "save001_v.dat" : "save001.dat")), 48180u);
    const std::string cfg = test::readFileText(dir.file("marlitpc.cfg"));
    EXPECT_NE(cfg.find("MUSIC_VOL=50\r\n"), std::string::npos) << cfg;
    EXPECT_NE(cfg.find("[KEY_CONFIG]\r\n"), std::string::npos) << cfg;
    EXPECT_FALSE(fs::exists(dir.path() / "marlitpc.cfg.bak"));
    const std::string state = test::readFileText(dir.file("state.json"));
    EXPECT_EQ(state.find("\"mode\":99"), std::string::npos) << state.substr(0, 300);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, MarlitMenu, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "vga" : "qvga"; });

}  // namespace
}  // namespace marlit
