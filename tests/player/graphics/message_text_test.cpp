#include "player/graphics/message_text.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/player/graphics/fake_glyph_painter.h"
#include "tests/player/graphics/pixels.h"

namespace marlit {
namespace {

using test::Bgr;
using test::FakeGlyphPainter;
using test::grey;
using test::TestSurface;

constexpr uint16_t kA = 0xA082;  // "あ": lead byte 0x82 in the low half
constexpr uint16_t kI = 0xA282;  // "い"
constexpr uint16_t kU = 0xA482;  // "う"

GlyphRecord record(uint16_t character, int x, int y, int size, uint32_t colour = kTextWhite) {
    GlyphRecord r;
    r.character = character;
    r.size = size;
    r.colour = colour;
    r.cell = {x, y, x + size, y + size};
    return r;
}

struct Rig {
    FakeGlyphPainter painter;
    MessageTextDrawer drawer{painter, ScreenGeometry::qvga()};
    TestSurface screen{16, 16, grey(200)};

    void draw(std::span<GlyphRecord> records, TextStyle style = {}) {
        drawer.draw(records, textTarget(screen.view()), style);
    }
};

TEST(MessageText, WithoutAntialiasingAPixelIsTheColourOrUntouched) {
    Rig rig;
    rig.painter.ink = [](char16_t, int col, int row, int) { return (col + row) % 3 == 0; };
    GlyphRecord r[] = {record(kA, 2, 3, 8, colourRef(10, 20, 30))};
    rig.draw(r, {.level = 0});
    int lit = 0;
    for (int y = 3; y < 11; ++y) {
        for (int x = 2; x < 10; ++x) {
            const Bgr expected = (x - 2 + y - 3) % 3 == 0 ? Bgr{30, 20, 10} : grey(200);
            EXPECT_EQ(rig.screen.at(x, y), expected) << x << "," << y;
            lit += expected != grey(200);
        }
    }
    EXPECT_GT(lit, 0);
    EXPECT_EQ(rig.painter.fonts.back().height, 8) << "factor 1";
}

TEST(MessageText, StrongAntialiasingMixesAHalfCoveredPixelEvenly) {
    Rig rig;
    // Painted at 4 x 2 = 8 pixels: columns 0..5 lit, so output pixel 0 is
    // covered fully and pixel 1 half (canvas columns 4 and 5 of 4..7).
    rig.painter.ink = [](char16_t, int col, int, int) { return col < 6; };
    rig.screen = TestSurface(4, 4, grey(100));
    GlyphRecord r[] = {record(kA, 0, 0, 2, colourRef(255, 0, 0))};
    rig.draw(r, {.level = 3});
    EXPECT_EQ(rig.painter.fonts.back().height, 8);
    EXPECT_EQ(rig.screen.at(0, 0), (Bgr{0, 0, 255}));
    // Coverage 127: each channel (100 * 129) >> 8 = 50, plus 255 * 127 / 256
    // = 126 of the red text.
    EXPECT_EQ(rig.screen.at(1, 0), (Bgr{50, 50, 176}));
    EXPECT_EQ(rig.screen.at(2, 0), grey(100));
}

TEST(MessageText, ShadowFallsOnePixelRightAndDownUnderTheGlyph) {
    Rig rig;
    // Two lit pixels on a diagonal: the first one's shadow lands on the
    // second, which is drawn over it.
    rig.painter.ink = [](char16_t, int col, int row, int) {
        return (col == 0 && row == 0) || (col == 2 && row == 2) || (col == 3 && row == 3);
    };
    GlyphRecord r[] = {record(kA, 4, 4, 4)};
    rig.draw(r, {.level = 0, .shadow = true});
    EXPECT_EQ(rig.screen.at(4, 4), grey(255));
    EXPECT_EQ(rig.screen.at(5, 5), grey(0));
    EXPECT_EQ(rig.screen.at(5, 4), grey(200));
    EXPECT_EQ(rig.screen.at(4, 5), grey(200));
    EXPECT_EQ(rig.screen.at(6, 6), grey(255));
    EXPECT_EQ(rig.screen.at(7, 7), grey(255)) << "the glyph covers the shadow of (6, 6)";
    EXPECT_EQ(rig.screen.at(8, 8), grey(0)) << "outside the cell, right and down";

    // A partly covered pixel darkens in proportion: coverage 127 at factor 2.
    Rig partial;
    partial.painter.ink = [](char16_t, int col, int row, int) { return col == 0 && row < 2; };
    GlyphRecord p[] = {record(kA, 0, 0, 2)};
    partial.draw(p, {.level = 1, .shadow = true});
    EXPECT_EQ(partial.screen.at(1, 1), grey(100));
    EXPECT_EQ(partial.screen.at(0, 0), grey(100 + 126));
}

TEST(MessageText, KeptRecordsAreNeverRedrawnAndTouchingCellsAre) {
    Rig rig;
    GlyphRecord r[] = {record(kA, 0, 0, 4), record(kI, 5, 0, 4), record(kU, 10, 10, 4)};
    r[0].state = kGlyphDrawn;
    r[1].state = kGlyphKept;
    r[2].state = kGlyphDrawn;
    // Touches the first cell's right edge (4) and covers the second.
    const Rect dirty[] = {{4, 0, 9, 4}};
    MessageTextDrawer::markForRedraw(r, dirty);
    EXPECT_EQ(r[0].state, kGlyphToDraw);
    EXPECT_EQ(r[1].state, kGlyphKept);
    EXPECT_EQ(r[2].state, kGlyphDrawn);

    // The same through the frame's list: only rectangles added with merge 1
    // count.
    GlyphRecord again[] = {r[0], r[1], r[2]};
    again[0].state = kGlyphDrawn;
    DirtyRectList list;
    list.setBounds(16, 16);
    list.add({4, 0, 9, 4}, 0);
    MessageTextDrawer::markForRedraw(again, list);
    EXPECT_EQ(again[0].state, kGlyphDrawn);
    list.clear();
    list.add({4, 0, 9, 4}, 1);
    MessageTextDrawer::markForRedraw(again, list);
    EXPECT_EQ(again[0].state, kGlyphToDraw);
    EXPECT_EQ(again[1].state, kGlyphKept);
    EXPECT_EQ(again[2].state, kGlyphDrawn);

    rig.draw(r);
    EXPECT_EQ(r[0].state, kGlyphDrawn);
    EXPECT_EQ(r[1].state, kGlyphKept);
    EXPECT_EQ(rig.screen.at(0, 0), grey(255));
    EXPECT_EQ(rig.screen.at(6, 1), grey(200)) << "a kept record is not drawn";
    EXPECT_EQ(rig.screen.at(11, 11), grey(200));
    EXPECT_EQ(rig.painter.painted, std::vector<char16_t>{u'あ'});
}

TEST(MessageText, TheRecalledPageIsDrawnInGrey) {
    Rig rig;
    GlyphRecord r[] = {record(kA, 0, 0, 4, colourRef(255, 0, 0))};
    rig.screen = TestSurface(8, 8, grey(0));
    rig.draw(r, {.recall = true});
    EXPECT_EQ(r[0].colour, kRecallGrey);
    EXPECT_EQ(rig.screen.at(2, 2), grey(0xCC));
}

TEST(MessageText, TheWeightFollowsTheScreenAndStaysAfterTheFirstSize) {
    FakeGlyphPainter painter;
    MessageTextDrawer small(painter, ScreenGeometry::qvga());
    EXPECT_EQ(small.weight(), 900) << "before the first size";
    small.setFontSize(12);
    EXPECT_EQ(small.weight(), 200);
    small.setFontSize(12);  // a save loaded
    EXPECT_EQ(small.weight(), 200);

    MessageTextDrawer large(painter, ScreenGeometry::vgaSize());
    large.setFontSize(25);
    large.setFontSize(25);
    large.setFontSize(25);
    EXPECT_EQ(large.weight(), 600);
    EXPECT_EQ(large.fontHeight(), 25);
    GlyphRecord r[] = {record(kA, 0, 0, 25)};
    TestSurface screen(32, 32);
    large.draw(r, textTarget(screen.view()), {.level = 2});
    EXPECT_EQ(painter.fonts.back(), (FakeGlyphPainter::Font{75, 600}));
}

TEST(MessageText, EachCharacterIsPaintedOncePerSizeFactorAndWeight) {
    Rig rig;
    GlyphRecord r[] = {record(kA, 0, 0, 4), record(kI, 4, 0, 4), record(kA, 8, 0, 4)};
    rig.draw(r, {.level = 3});
    EXPECT_EQ(rig.painter.painted.size(), 2u) << "the second あ comes from the cache";
    for (GlyphRecord& g : r)
        g.state = kGlyphToDraw;
    rig.draw(r, {.level = 3});
    EXPECT_EQ(rig.painter.painted.size(), 2u);
    for (GlyphRecord& g : r)
        g.state = kGlyphToDraw;
    rig.draw(r, {.level = 1});
    EXPECT_EQ(rig.painter.painted.size(), 4u) << "another factor paints again";
    EXPECT_EQ(rig.drawer.coverage().entries(), 4u);
}

TEST(MessageText, TheCacheDropsTheLeastRecentlyUsedWhenFull) {
    FakeGlyphPainter painter;
    GlyphCoverage cache(painter, 16, 2 * 4 * 4);  // two 4 x 4 glyphs
    ASSERT_NE(cache.get(u'あ', 4, 1, 400), nullptr);
    ASSERT_NE(cache.get(u'い', 4, 1, 400), nullptr);
    ASSERT_NE(cache.get(u'あ', 4, 1, 400), nullptr);  // あ used last
    ASSERT_NE(cache.get(u'う', 4, 1, 400), nullptr);  // drops い
    EXPECT_EQ(cache.entries(), 2u);
    EXPECT_EQ(cache.bytes(), 32u);
    EXPECT_EQ(painter.painted.size(), 3u);
    cache.get(u'あ', 4, 1, 400);
    EXPECT_EQ(painter.painted.size(), 3u);
    cache.get(u'い', 4, 1, 400);
    EXPECT_EQ(painter.painted.size(), 4u);
    cache.get(u'あ', 4, 1, 600);
    EXPECT_EQ(painter.painted.size(), 5u) << "another weight paints again";

    GlyphCoverage none(painter, 16, 0);
    none.get(u'あ', 4, 1, 400);
    none.get(u'あ', 4, 1, 400);
    EXPECT_EQ(painter.painted.size(), 7u);
    EXPECT_EQ(none.entries(), 0u);
    EXPECT_EQ(none.get(u'あ', 0, 1, 400), nullptr);
    EXPECT_EQ(none.get(u'あ', 4, 5, 400), nullptr);
}

TEST(MessageText, RecordsOffTheTargetOrOfImpossibleSizeWriteNothingOutside) {
    Rig rig;
    rig.screen = TestSurface(6, 6, grey(50));
    GlyphRecord r[] = {record(kA, -3, -3, 4), record(kI, 4, 4, 8), record(kU, 0, 0, 8),
                       record(kA, 0, 0, 8),   record(kI, 0, 0, 0), record(kU, 0, 0, 300)};
    // Cells at the ends of the coordinate range, as a damaged save may hold.
    r[2].cell = {INT32_MAX - 2, 0, INT32_MAX, 8};
    r[3].cell = {0, INT32_MIN, 8, INT32_MIN + 8};
    rig.draw(r, {.level = 3, .shadow = true});
    for (const GlyphRecord& g : r)
        EXPECT_EQ(g.state, kGlyphDrawn);
    EXPECT_EQ(rig.screen.at(0, 0), grey(255));
    EXPECT_EQ(rig.screen.at(5, 5), grey(255));
    EXPECT_EQ(rig.screen.at(3, 3), grey(50)) << "between the two on-screen glyphs";
}

TEST(MessageText, GlyphsOnAWorkingPictureMakeItsPixelsOpaque) {
    FakeGlyphPainter painter;
    painter.ink = [](char16_t, int col, int row, int) { return row < 2 && col < 3; };
    MessageTextDrawer drawer(painter, ScreenGeometry::qvga());
    WorkingPicture picture;
    picture.width = 4;
    picture.height = 4;
    picture.pixels.assign(4 * 4 * 4, 0);
    GlyphRecord r[] = {record(kA, 0, 0, 2)};
    drawer.draw(r, textTarget(picture), {.level = 1, .shadow = true});
    auto pixel = [&](int x, int y) { return &picture.pixels[(y * 4 + x) * 4]; };
    EXPECT_EQ(pixel(0, 0)[3], 255);  // covered fully
    EXPECT_EQ(pixel(1, 0)[3], 127);  // half
    EXPECT_EQ(pixel(1, 0)[2], 126);  // and its red
    EXPECT_EQ(pixel(1, 1)[3], 255) << "the shadow of (0, 0)";
    EXPECT_EQ(pixel(1, 1)[0], 0);
    EXPECT_EQ(pixel(2, 1)[3], 127) << "the shadow of (1, 0)";
    EXPECT_EQ(pixel(2, 0)[3], 0);
    EXPECT_EQ(pixel(0, 2)[3], 0);

    WorkingPicture empty;
    GlyphRecord e[] = {record(kA, 0, 0, 2)};
    drawer.draw(e, textTarget(empty), {});
    EXPECT_EQ(e[0].state, kGlyphDrawn);
}

}  // namespace
}  // namespace marlit
