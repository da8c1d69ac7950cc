#include "player/graphics/system_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/headless_display.h"
#include "player/graphics/glyph_record.h"
#include "tests/player/graphics/fake_glyph_painter.h"
#include "tests/player/graphics/pixels.h"

namespace marlit {
namespace {

using test::Bgr;
using test::FakeGlyphPainter;
using test::grey;
using test::TestSurface;

struct Rig {
    HeadlessDisplay device{320, 240};
    DeviceScreen screen{device, false};
    FakeGlyphPainter painter;
    std::unique_ptr<SystemTextDrawer> drawer;
    TestSurface surface{64, 16, grey(7)};

    Rig() {
        device.createWindow("t");
        device.openDisplay();
        drawer = std::make_unique<SystemTextDrawer>(painter, screen, screen.readProperties());
    }
    // Columns of surface row `y` that were written.
    std::string row(int y, int width) {
        std::string s;
        for (int x = 0; x < width; ++x)
            s += surface.at(x, y) == grey(7) ? '.' : '#';
        return s;
    }
};

TEST(SystemText, SingleBytesAdvanceSixPixelsAndDoubleBytesTwelve) {
    Rig rig;
    // Each cell lights its first column only, so the advances show.
    rig.painter.ink = [](char16_t, int col, int, int) { return col == 0; };
    const Surface s = rig.surface.view();
    const int end = rig.drawer->draw(
        "A\x82\xA0"
        "B",
        &s, 1, 2, kTextWhite);
    EXPECT_EQ(end, 1 + 6 + 12 + 6);
    EXPECT_EQ(rig.row(2, 28), ".#.....#...........#........");
    EXPECT_EQ(rig.row(13, 28), ".#.....#...........#........");
    EXPECT_EQ(rig.row(14, 28), "............................") << "12 rows tall";
    EXPECT_EQ(rig.row(1, 28), "............................");
    EXPECT_EQ(rig.painter.fonts.back(), (FakeGlyphPainter::Font{12, 400}));
    EXPECT_TRUE(rig.painter.lastOpaque);

    // A new height makes a new font; the cells follow it.
    rig.surface = TestSurface(64, 16, grey(7));
    const Surface fresh = rig.surface.view();
    EXPECT_EQ(rig.drawer->draw("AB", &fresh, 0, 0, kTextWhite, 16), 16);
    EXPECT_EQ(rig.row(15, 12), "#.......#...");
    EXPECT_EQ(rig.drawer->height(), 16);
}

TEST(SystemText, EveryLitCanvasPixelTakesTheWholeColour) {
    Rig rig;
    rig.painter.value = 1;  // the faintest white the renderer could leave
    rig.painter.ink = [](char16_t, int col, int row, int) { return col < 2 && row < 2; };
    const Surface s = rig.surface.view();
    rig.drawer->draw("A", &s, 3, 4, colourRef(200, 100, 50));
    EXPECT_EQ(rig.surface.at(3, 4), (Bgr{50, 100, 200}));
    EXPECT_EQ(rig.surface.at(4, 5), (Bgr{50, 100, 200}));
    EXPECT_EQ(rig.surface.at(5, 4), grey(7)) << "unlit canvas pixels leave the surface alone";
}

TEST(SystemText, DirectTextIsAGreyOnTheDeviceWithTheQuarterTurn) {
    Rig rig;
    rig.painter.ink = [](char16_t, int col, int row, int) { return col == 0 && row == 0; };
    const uint64_t begins = rig.device.beginDraws();
    rig.drawer->draw("AB", nullptr, 10, 20, kTextWhite);
    rig.drawer->draw("A", nullptr, 30, 21, colourRef(0xCC, 0, 0));
    EXPECT_EQ(rig.device.beginDraws(), begins + 2);
    EXPECT_EQ(rig.device.endDraws(), rig.device.beginDraws());
    std::vector<uint16_t> landscape(320 * 240);
    rig.device.frameBuffer().toLandscape565(landscape.data());
    auto at = [&](int x, int y) { return landscape[static_cast<size_t>(y) * 320 + x]; };
    EXPECT_EQ(at(10, 20), 0xFFFF);
    EXPECT_EQ(at(16, 20), 0xFFFF);
    EXPECT_EQ(at(11, 20), 0);
    EXPECT_EQ(at(30, 21), 0xCE79) << "red 0xCC as 25, 51, 25";
    EXPECT_EQ(systemTextGrey(kTextWhite), 0xFFFF);
    // Landscape (10, 20) is device column 20 of row 319 - 10.
    EXPECT_EQ(rig.device.frameBuffer().pixel(20, 309), 0xFFFF);
}

TEST(SystemText, TextAtTheEdgesAndBrokenBytesStayInside) {
    Rig rig;
    const Surface s = rig.surface.view();
    // A lone lead byte at the end and a byte that is not Shift-JIS are
    // single cells; nothing after the text is read.
    const std::string text = "\x82\xA0\x80\x82";
    auto bytes = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), bytes.get());
    EXPECT_EQ(rig.drawer->draw({bytes.get(), text.size()}, &s, -5, -5, kTextWhite), -5 + 24);
    EXPECT_EQ(rig.surface.at(0, 0), grey(255));
    EXPECT_EQ(rig.painter.painted, (std::vector<char16_t>{u'あ', u'\uFFFD', u'\uFFFD'}));
    rig.drawer->draw("AAAA", &s, 60, 10, kTextWhite, 200);
    EXPECT_EQ(rig.drawer->height(), SystemTextDrawer::kCanvasSide);
    EXPECT_EQ(rig.surface.at(63, 15), grey(255));
    rig.drawer->draw("\x82\xA0", nullptr, 315, 235, kTextWhite);
    rig.drawer->draw("\x82\xA0", nullptr, -20, -20, kTextWhite);
    EXPECT_EQ(rig.device.frameBuffer().pixel(239, 0), 0xFFFF) << "landscape (319, 239)";
}

}  // namespace
}  // namespace marlit
