#include "platform/font/freetype_glyph_painter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/font/font_lookup.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

// A canvas inside a larger buffer filled with a guard value, so that a
// write outside the canvas shows.
struct GuardedCanvas {
    static constexpr int kMargin = 8;
    static constexpr uint8_t kGuard = 0x5A;
    int width, height, pitch;
    std::vector<uint8_t> buffer;

    GuardedCanvas(int w, int h, uint8_t fill = 0)
        : width(w),
          height(h),
          pitch((w + 2 * kMargin) * 3),
          buffer(static_cast<size_t>(pitch) * (h + 2 * kMargin), kGuard) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                std::fill(at(x, y), at(x, y) + 3, fill);
    }
    uint8_t* at(int x, int y) {
        return &buffer[static_cast<size_t>(y + kMargin) * pitch + (x + kMargin) * 3];
    }
    GlyphCanvas canvas() { return {at(0, 0), width, height, pitch}; }
    // Lit pixels (all three bytes 255) of the canvas; -1 when one is neither
    // lit nor `background`.
    int lit(uint8_t background = 0) {
        int n = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = at(x, y);
                if (p[0] == 255 && p[1] == 255 && p[2] == 255)
                    ++n;
                else if (p[0] != background || p[1] != background || p[2] != background)
                    return -1;
            }
        }
        return n;
    }
    bool guardIntact() const {
        const int rows = height + 2 * kMargin, cols = width + 2 * kMargin;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < cols; ++x) {
                const bool inside =
                    y >= kMargin && y < kMargin + height && x >= kMargin && x < kMargin + width;
                const uint8_t* p = &buffer[static_cast<size_t>(y) * pitch + x * 3];
                if (!inside && (p[0] != kGuard || p[1] != kGuard || p[2] != kGuard))
                    return false;
            }
        }
        return true;
    }
    // The rightmost lit column, -1 when none.
    int rightmost() {
        int r = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y)[0] == 255)
                    r = std::max(r, x);
        return r;
    }
};

TEST(GothicFont, FontconfigFindsAJapaneseGothicFont) {
    std::string error;
    auto file = findGothicFont(&error);
    ASSERT_TRUE(file) << error;
    EXPECT_TRUE(std::filesystem::exists(*file)) << *file;
    FreeTypeGlyphPainter painter;
    ASSERT_TRUE(painter.load()) << painter.error();
    EXPECT_EQ(painter.fontFile(), *file);
}

TEST(GlyphPainter, PaintsOneCharacterWhiteOnBlackInsideTheCanvas) {
    FreeTypeGlyphPainter painter;
    ASSERT_TRUE(painter.setFont(24, 400)) << painter.error();
    GuardedCanvas c(24, 24);
    GlyphCanvas canvas = c.canvas();
    painter.paint(u'あ', canvas, 0, 0, false);
    const int ink = c.lit();
    EXPECT_GT(ink, 24) << "a visible glyph";
    EXPECT_LT(ink, 24 * 24 / 2);

    // A canvas smaller than the glyph, and a glyph half off it: clipped.
    GuardedCanvas small(10, 10);
    GlyphCanvas smallCanvas = small.canvas();
    painter.paint(u'漢', smallCanvas, -6, 3, false);
    EXPECT_TRUE(small.guardIntact());
    EXPECT_GT(small.lit(), 0);
    EXPECT_TRUE(c.guardIntact());
}

TEST(GlyphPainter, OpaqueBlackensTheCellTransparentKeepsIt) {
    FreeTypeGlyphPainter painter;
    ASSERT_TRUE(painter.setFont(12, 400)) << painter.error();
    GuardedCanvas transparent(12, 12, 100);
    GlyphCanvas t = transparent.canvas();
    painter.paint(u'A', t, 0, 0, false);
    EXPECT_GT(transparent.lit(100), 0);

    GuardedCanvas opaque(12, 12, 100);
    GlyphCanvas o = opaque.canvas();
    painter.paint(u'A', o, 0, 0, true);
    EXPECT_EQ(opaque.at(0, 0)[0], 0) << "the cell of a half-width character is 6 wide";
    EXPECT_EQ(opaque.at(5, 11)[0], 0);
    EXPECT_EQ(opaque.at(6, 0)[0], 100);
}

TEST(GlyphPainter, HalfWidthCharactersKeepToHalfTheCell) {
    FreeTypeGlyphPainter painter;
    ASSERT_TRUE(painter.setFont(24, 400)) << painter.error();
    GuardedCanvas half(24, 24), full(24, 24);
    GlyphCanvas h = half.canvas(), f = full.canvas();
    painter.paint(u'M', h, 0, 0, false);
    painter.paint(u'国', f, 0, 0, false);
    EXPECT_LT(half.rightmost(), 12);
    EXPECT_GE(full.rightmost(), 12);
}

TEST(GlyphPainter, HeavyWeightsAreEmboldenedLightOnesPaintTheFace) {
    FreeTypeGlyphPainter painter;
    auto ink = [&](int weight) {
        EXPECT_TRUE(painter.setFont(48, weight));
        GuardedCanvas c(48, 48);
        GlyphCanvas canvas = c.canvas();
        painter.paint(u'漢', canvas, 0, 0, false);
        EXPECT_TRUE(c.guardIntact());
        return c.lit();
    };
    const int regular = ink(400);
    EXPECT_EQ(ink(0), regular);
    EXPECT_EQ(ink(200), regular);
    const int semibold = ink(600);
    const int heavy = ink(900);
    EXPECT_GT(semibold, regular);
    EXPECT_GT(heavy, semibold);
}

TEST(GlyphPainter, AFileThatIsNotAUsableFontSaysWhatToDo) {
    test::TempDir dir;
    const std::string text = dir.file("notes.ttf");
    std::ofstream(text) << "not a font";
    FreeTypeGlyphPainter notFont(text);
    EXPECT_FALSE(notFont.load());
    EXPECT_NE(notFont.error().find(text), std::string::npos) << notFont.error();
    EXPECT_NE(notFont.error().find("--font"), std::string::npos);
    EXPECT_FALSE(notFont.setFont(12, 400));
    GuardedCanvas c(12, 12);
    GlyphCanvas canvas = c.canvas();
    notFont.paint(u'あ', canvas, 0, 0, true);
    EXPECT_EQ(c.lit(), 0);

    FreeTypeGlyphPainter missing(dir.file("missing.ttf"));
    EXPECT_FALSE(missing.load());
    EXPECT_NE(missing.error().find("missing.ttf"), std::string::npos);

    const char* latin = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    if (!std::filesystem::exists(latin))
        GTEST_SKIP() << latin
                     << " is not installed; the check of a font without Japanese is skipped";
    FreeTypeGlyphPainter noJapanese(latin);
    EXPECT_FALSE(noJapanese.load());
    EXPECT_NE(noJapanese.error().find("no Japanese"), std::string::npos) << noJapanese.error();
}

}  // namespace
}  // namespace marlit
