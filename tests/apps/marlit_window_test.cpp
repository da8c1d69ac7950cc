// marlit in a real window on a virtual X display: the test pattern shows in
// landscape at the chosen scale (read back from a screenshot of the root
// window), the player answers a key and a mouse click, a second copy brings
// the first forward, and the player closes cleanly.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "base/png.h"
#include "player/shell/test_pattern.h"
#include "tests/apps/child_process.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr int kScale = 2;

class MarlitWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool", "xwd", "convert"}) {
            tools_[tool] = test::findOnPath(tool);
            ASSERT_FALSE(tools_[tool].empty()) << tool << " is missing: run scripts/bootstrap";
        }
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        server_ = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{tools_["Xvfb"], "-displayfd", std::to_string(fds[1]),
                                     "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
            fds[1]);
        ::close(fds[1]);
        std::string display = test::readLineWithin(fds[0], 10000);
        ::close(fds[0]);
        ASSERT_FALSE(display.empty()) << "the X server did not start";
        ::setenv("DISPLAY", (":" + display).c_str(), 1);
        // Software drawing keeps the system's GL drivers out of the
        // sanitizer's view.
        ::setenv("SDL_RENDER_DRIVER", "software", 1);
        ::setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    }

    void TearDown() override {
        player_.reset();
        server_.reset();
        ::unsetenv("DISPLAY");
    }

    std::string tool(const std::string& name, const std::vector<std::string>& args) {
        auto r = test::runProgram(tools_[name], args);
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
        return r.out;
    }

    PngImage screenshot() {
        std::string xwd = dir_.file("root.xwd");
        std::string png = dir_.file("root.png");
        tool("xwd", {"-root", "-silent", "-out", xwd});
        tool("convert", {"xwd:" + xwd, "png:" + png});
        auto image = readPng(png);
        EXPECT_TRUE(image);
        return image.value_or(PngImage{});
    }

    // The colour of landscape picture pixel (x, y) on the screen, as the
    // device's RGB565 (the window widens it to 24 bits in its own way).
    uint32_t pictureAt(const PngImage& shot, int x, int y) {
        int sx = windowX_ + x * kScale;
        int sy = windowY_ + y * kScale;
        if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height)
            return 0xFFFFFFFF;
        const uint8_t* p =
            &shot.pixels[(static_cast<size_t>(sy) * shot.width + sx) * shot.channels];
        return static_cast<uint32_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3));
    }

    // Takes screenshots until `check` holds (at most ~10 s).
    bool waitForPicture(const std::function<bool(const PngImage&)>& check) {
        for (int i = 0; i < 50; ++i) {
            last_ = screenshot();
            if (!last_.pixels.empty() && check(last_))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    std::unique_ptr<test::ChildProcess> startPlayer() {
        return std::make_unique<test::ChildProcess>(
            std::vector<std::string>{test::programPath("marlit"), "--dir", dir_.path().string(),
                                     "--test-pattern", "--scale", std::to_string(kScale)});
    }

    void findWindow() {
        for (int i = 0; i < 150 && window_.empty(); ++i) {
            auto r = test::runProgram(tools_["xdotool"], {"search", "--name", "^MARLIT$"});
            std::istringstream(r.out) >> window_;
            if (window_.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_FALSE(window_.empty()) << "no window titled MARLIT appeared";
        std::map<std::string, int> g;
        std::istringstream lines(tool("xdotool", {"getwindowgeometry", "--shell", window_}));
        for (std::string line; std::getline(lines, line);) {
            auto eq = line.find('=');
            if (eq != std::string::npos)
                g[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
        }
        windowX_ = g["X"];
        windowY_ = g["Y"];
        EXPECT_EQ(g["WIDTH"], 320 * kScale);
        EXPECT_EQ(g["HEIGHT"], 240 * kScale);
    }

    void keepScreenshot() {
        std::filesystem::path out =
            std::filesystem::path(test::programPath("marlit")).parent_path();
        writePng((out.parent_path() / "marlit_window_test.png").string(), last_);
    }

    test::TempDir dir_;
    std::map<std::string, std::string> tools_;
    std::unique_ptr<test::ChildProcess> server_;
    std::unique_ptr<test::ChildProcess> player_;
    std::string window_;
    int windowX_ = 0;
    int windowY_ = 0;
    PngImage last_;
};

TEST_F(MarlitWindowTest, ShowsThePatternAnswersInputAndClosesCleanly) {
    player_ = startPlayer();
    ASSERT_TRUE(player_->started());
    findWindow();
    ASSERT_FALSE(HasFatalFailure());

    // Landscape, right way up, at scale 2: the red mark at the top left,
    // then the bars from white to grey from left to right.
    bool shown = waitForPicture([&](const PngImage& s) { return pictureAt(s, 2, 2) == 0xF800; });
    keepScreenshot();
    ASSERT_TRUE(shown) << "the red corner mark did not appear; see marlit_window_test.png";
    const uint32_t bars[8] = {0xFFFF, 0xFFE0, 0x07FF, 0x07E0, 0xF81F, 0xF800, 0x001F, 0x8410};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pictureAt(last_, i * 40 + 20, 40), bars[i]) << "bar " << i;
    EXPECT_EQ(pictureAt(last_, 0, 239), 0xFFFFu) << "the frame's bottom-left corner";
    EXPECT_EQ(pictureAt(last_, 319, 120), 0xFFFFu) << "the frame's right edge";
    uint32_t dark = pictureAt(last_, 10, 80 + 70);
    uint32_t bright = pictureAt(last_, 310, 80 + 70);
    EXPECT_LT(dark & 0x1F, bright & 0x1F) << "the grey ramp rises to the right";

    // A key: Z is button A, whose box lights up.
    Rect a = TestPattern::keyBox(5, 320, 240);
    int ax = (a.left + a.right) / 2, ay = (a.top + a.bottom) / 2;
    tool("xdotool", {"mousemove", std::to_string(windowX_ + 5), std::to_string(windowY_ + 5)});
    // Held a moment: a press and its release within one frame cancel out.
    tool("xdotool", {"keydown", "z", "sleep", "0.2", "keyup", "z"});
    EXPECT_TRUE(waitForPicture([&](const PngImage& s) { return pictureAt(s, ax, ay) == 0xFFE0; }))
        << "button A did not light up";

    // The mouse is the stylus: a press is a tap, marked with a red cross
    // where it landed (held a moment too).
    std::string x = std::to_string(windowX_ + 200 * kScale);
    std::string y = std::to_string(windowY_ + 150 * kScale);
    tool("xdotool", {"mousemove", x, y, "mousedown", "1", "sleep", "0.2", "mouseup", "1"});
    EXPECT_TRUE(waitForPicture([&](const PngImage& s) {
        return pictureAt(s, 200, 150) == 0xF800 && pictureAt(s, 203, 150) == 0xF800;
    })) << "the tap did not show";
    keepScreenshot();

    // A second copy for the same folder brings this one forward and ends.
    // (The folder holds no data set: the second copy, too, only checks the
    // display.)
    test::ChildProcess second(std::vector<std::string>{test::programPath("marlit"), "--dir",
                                                       dir_.path().string(), "--test-pattern"});
    EXPECT_EQ(second.wait(20000), 0);
    EXPECT_TRUE(player_->running());

    // Asked to end (as the desktop does at log-out), it closes the window
    // and exits cleanly: 0, and nothing leaked under the sanitizer.
    player_->signal(SIGTERM);
    EXPECT_EQ(player_->wait(20000), 0);
}

}  // namespace
}  // namespace marlit
