// marlit and marlit_vga run headless as a user runs them: the display path
// end to end, repeatability, input through the scripted file, and errors.
#include <gtest/gtest.h>

#include <fstream>

#include "base/png.h"
#include "player/shell/test_pattern.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

struct Build {
    const char* program;
    int width;
    int height;
};
constexpr Build kBuilds[] = {{"marlit", 320, 240}, {"marlit_vga", 640, 480}};

test::ProgramResult runHeadless(const Build& b, const test::TempDir& dir,
                                std::vector<std::string> args) {
    std::vector<std::string> all = {"--headless", "--dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProgram(test::programPath(b.program), all);
}

PngImage load(const std::string& path) {
    std::string error;
    auto png = readPng(path, &error);
    EXPECT_TRUE(png) << error;
    return png.value_or(PngImage{});
}

uint16_t pack(const uint8_t* rgb) {
    return static_cast<uint16_t>((rgb[0] >> 3) << 11 | (rgb[1] >> 2) << 5 | (rgb[2] >> 3));
}

const uint8_t* at(const PngImage& p, int x, int y) {
    return &p.pixels[(static_cast<size_t>(y) * p.width + x) * 3];
}

TEST(MarlitHeadless, TheDeviceShowsTheBackBufferTurnedAQuarterInRgb565) {
    for (const Build& b : kBuilds) {
        SCOPED_TRACE(b.program);
        test::TempDir dir;
        auto r = runHeadless(
            b, dir,
            {"--test-pattern", "--frames", "200", "--shots", dir.file("shots"), "--device-shots"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        PngImage frame = load(dir.file("shots/frame_000200.png"));
        PngImage device = load(dir.file("shots/device_000200.png"));
        ASSERT_EQ(frame.width, b.width);
        ASSERT_EQ(frame.height, b.height);
        ASSERT_EQ(device.width, b.height) << "the device is portrait";
        ASSERT_EQ(device.height, b.width);
        int bad = 0;
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                bad += pack(at(frame, x, y)) != pack(at(device, y, b.width - 1 - x));
            }
        }
        EXPECT_EQ(bad, 0);
        // The picture is the pattern: the red corner mark at the top left.
        EXPECT_EQ(pack(at(frame, 1, 1)), 0xF800);
        EXPECT_EQ(pack(at(frame, b.width - 1, 0)), 0xFFFF) << "the white frame";
    }
}

TEST(MarlitHeadless, TheSameInputGivesByteIdenticalPictures) {
    test::TempDir dir;
    std::ofstream(dir.file("input.txt")) << "20 press a\n40 tap 100 100\n60 drag 120 110\n"
                                            "80 release\n100 press up\n";
    auto run = [&](const std::string& shots, const std::string& input) {
        auto r = runHeadless(kBuilds[0], dir,
                             {"--test-pattern", "--input", input, "--frames", "20", "--shots",
                              dir.file(shots), "--shot-every", "5", "--device-shots"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
    };
    run("one", dir.file("input.txt"));
    run("two", dir.file("input.txt"));
    for (const char* name : {"frame_000005.png", "frame_000020.png", "device_000020.png"}) {
        std::string a = test::readFileText(dir.file(std::string("one/") + name));
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, test::readFileText(dir.file(std::string("two/") + name))) << name;
    }
    std::ofstream(dir.file("other.txt")) << "20 press b\n";
    run("three", dir.file("other.txt"));
    EXPECT_NE(test::readFileText(dir.file("one/frame_000020.png")),
              test::readFileText(dir.file("three/frame_000020.png")));
}

TEST(MarlitHeadless, KeysAndTapsFromTheInputReachThePlayer) {
    for (const Build& b : kBuilds) {
        SCOPED_TRACE(b.program);
        test::TempDir dir;
        std::ofstream(dir.file("input.txt"))
            << "100 press a\n120 key down c\n130 tap 201 81\n150 release\n";
        auto r = runHeadless(b, dir,
                             {"--test-pattern", "--input", dir.file("input.txt"), "--frames", "12",
                              "--shots", dir.file("shots")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        PngImage f = load(dir.file("shots/frame_000012.png"));
        auto lit = [&](int index) {
            Rect box = TestPattern::keyBox(index, b.width, b.height);
            return pack(at(f, (box.left + box.right) / 2, (box.top + box.bottom) / 2)) == 0xFFE0;
        };
        EXPECT_FALSE(lit(5)) << "A, but not the last";
        EXPECT_TRUE(lit(7)) << "C, pressed last";
        EXPECT_FALSE(lit(6)) << "B";
        EXPECT_FALSE(lit(0)) << "up";
        // The tap's cross; the 640 build's window reports half-size
        // positions, so it lands within a pixel.
        int x = 201, y = 81;
        if (b.width == 640) {
            x = 201;
            y = 80;
        }
        EXPECT_EQ(pack(at(f, x, y)), 0xF800);
        EXPECT_EQ(pack(at(f, x + 3, y)), 0xF800);
    }
}

TEST(MarlitHeadless, BadCommandLinesAndInputsAreRefusedClearly) {
    test::TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    std::ofstream(dir.file("bad.txt")) << "10 press a\n20 tap 400 10\n";
    const Case cases[] = {
        {{}, 2, "needs --frames"},
        {{"--frames", "0"}, 2, "--frames takes"},
        {{"--frames", "5", "--shot-every", "2"}, 2, "need --shots"},
        {{"--frames", "5", "--bogus"}, 2, "unknown option --bogus"},
        {{"--input", dir.file("bad.txt"), "--frames", "5"}, 1, "bad.txt: line 2: position outside"},
        {{"--input", dir.file("none.txt"), "--frames", "5"}, 1, "cannot read"},
        {{"--font", dir.file("bad.txt"), "--test-pattern", "--frames", "5"}, 1,
         "bad.txt: is not a font file"},
        {{"--font", dir.file("none.ttf"), "--test-pattern", "--frames", "5"}, 1,
         "none.ttf: cannot be opened"},
    };
    for (const Case& c : cases) {
        auto r = runHeadless(kBuilds[0], dir, c.args);
        EXPECT_EQ(r.exitCode, c.code) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    auto r = test::runProgram(test::programPath("marlit"),
                              {"--dir", dir.file("nowhere"), "--headless", "--frames", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no such folder"), std::string::npos) << r.err;
    r = test::runProgram(test::programPath("marlit_vga"), {"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("--test-pattern"), std::string::npos);
}

}  // namespace
}  // namespace marlit
