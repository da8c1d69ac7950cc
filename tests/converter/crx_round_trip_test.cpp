// The CRX writer through the decoder: every compression type, depth and
// filter at widths 1 to 33 and 800.
#include <gtest/gtest.h>

#include <random>

#include "converter/crx_decoder.h"
#include "tools/crx/crx_writer.h"

namespace marlit {
namespace {

using crx::CrxCompression;
using crx::CrxDepth;
using crx::CrxPicture;

// Runs of one value, gradients and noise, so that every filter and every
// match form has something to do.
CrxPicture makePicture(int width, int height, CrxDepth depth, uint32_t seed) {
    std::mt19937 rng(seed);
    CrxPicture p;
    p.width = width;
    p.height = height;
    p.depth = depth;
    const int bpp = depth == CrxDepth::Indexed ? 1 : depth == CrxDepth::Rgba32 ? 4 : 3;
    const size_t n = static_cast<size_t>(width) * height * bpp;
    while (p.pixels.size() < n) {
        const int kind = rng() % 3;
        const size_t len = rng() % 10 == 0 ? 150 + rng() % 300 : 1 + rng() % 40;
        const uint8_t v = static_cast<uint8_t>(rng());
        for (size_t i = 0; i < len && p.pixels.size() < n; ++i) {
            p.pixels.push_back(kind == 0 ? v : kind == 1 ? static_cast<uint8_t>(v + i) : rng());
        }
    }
    if (depth == CrxDepth::Indexed) {
        for (uint8_t& i : p.pixels)
            i = static_cast<uint8_t>(i % 200);
        for (int e = 0; e < 200; ++e) {
            p.palette.insert(p.palette.end(), {static_cast<uint8_t>(e), static_cast<uint8_t>(3 * e),
                                               static_cast<uint8_t>(255 - e)});
        }
    }
    return p;
}

// What the decoder must give: indexes through the palette, else the pixels.
std::vector<uint8_t> expectedPixels(const CrxPicture& p) {
    if (p.depth != CrxDepth::Indexed)
        return p.pixels;
    std::vector<uint8_t> out;
    for (uint8_t i : p.pixels)
        out.insert(out.end(), &p.palette[3 * i], &p.palette[3 * i] + 3);
    return out;
}

struct Combination {
    CrxCompression compression;
    CrxDepth depth;
    int filter;
};

TEST(CrxRoundTrip, EveryTypeDepthAndFilter) {
    std::vector<Combination> setups = {{CrxCompression::Lz, CrxDepth::Rgb24, -1},
                                       {CrxCompression::Lz, CrxDepth::Indexed, -1},
                                       {CrxCompression::Zlib, CrxDepth::Indexed, -1}};
    for (CrxDepth depth : {CrxDepth::Rgb24, CrxDepth::Rgba32}) {
        for (int filter = -1; filter <= 4; ++filter) {
            setups.push_back({CrxCompression::Zlib, depth, filter});
        }
    }
    std::vector<int> widths;
    for (int w = 1; w <= 33; ++w)
        widths.push_back(w);
    widths.push_back(800);

    crx::LzFormCounts total;
    for (const Combination& s : setups) {
        for (int width : widths) {
            const int height = width == 800 ? 6 : 1 + width % 5;
            const CrxPicture picture = makePicture(width, height, s.depth, width * 31 + s.filter);
            crx::LzFormCounts counts;
            std::string error;
            auto file = crx::writeCrx(picture, {s.compression, s.filter}, &error, &counts);
            ASSERT_TRUE(file) << error;
            total.nearMatches += counts.nearMatches;
            total.shortMatches += counts.shortMatches;
            total.longMatches += counts.longMatches;
            total.farMatches += counts.farMatches;
            auto bitmap = DecodeCrx(*file, &error);
            ASSERT_TRUE(bitmap) << error;
            const auto label = testing::Message()
                               << "type " << int(s.compression) << " depth " << int(s.depth)
                               << " filter " << s.filter << " width " << width;
            EXPECT_EQ(bitmap->width, width) << label;
            EXPECT_EQ(bitmap->height, height) << label;
            EXPECT_EQ(bitmap->bytesPerPixel, s.depth == CrxDepth::Rgba32 ? 4 : 3) << label;
            EXPECT_TRUE(bitmap->pixels == expectedPixels(picture)) << label;
        }
    }
    EXPECT_GT(total.nearMatches, 0u);
    EXPECT_GT(total.shortMatches, 0u);
    EXPECT_GT(total.longMatches, 0u);
    EXPECT_GT(total.farMatches, 0u);
}

TEST(CrxRoundTrip, SmallPalettesAndLongRuns) {
    // One colour: the zlib type still needs a depth code of at least 2; a
    // plane run longer than 256 values is split.
    CrxPicture p;
    p.width = 700;
    p.height = 2;
    p.depth = CrxDepth::Indexed;
    p.pixels.assign(1400, 0);
    p.palette = {9, 8, 7};
    for (auto compression : {CrxCompression::Lz, CrxCompression::Zlib}) {
        auto b = DecodeCrx(*crx::writeCrx(p, {compression, -1}));
        ASSERT_TRUE(b);
        EXPECT_EQ(b->pixels[0], 9);
        EXPECT_EQ(b->pixels.back(), 7);
    }
    CrxPicture flat;
    flat.width = 700;
    flat.height = 2;
    flat.pixels.assign(700 * 2 * 3, 77);
    auto b = DecodeCrx(*crx::writeCrx(flat, {CrxCompression::Zlib, 4}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->pixels, flat.pixels);
}

TEST(CrxWriter, RefusesWhatTheFormatCannotHold) {
    CrxPicture p;
    p.width = 2;
    p.height = 1;
    p.depth = CrxDepth::Rgba32;
    p.pixels.assign(8, 1);
    std::string error;
    EXPECT_FALSE(crx::writeCrx(p, {CrxCompression::Lz, -1}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(crx::writeCrx(p, {CrxCompression::Zlib, 5}));
    p.pixels.pop_back();
    EXPECT_FALSE(crx::writeCrx(p, {CrxCompression::Zlib, 0}));
    p.width = 0;
    p.pixels.clear();
    EXPECT_FALSE(crx::writeCrx(p, {CrxCompression::Zlib, 0}));
}

TEST(CrxWriter, IndexesBitmapsOfAtMost256Colours) {
    // Blue 0-255, then blue 0 again: 256 colours.
    Bitmap b = makeBitmap(257, 1, 3);
    for (int x = 0; x < 257; ++x)
        b.row(0)[3 * x] = static_cast<uint8_t>(x);
    auto p = crx::indexedPicture(b);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->palette.size(), 256u * 3);
    EXPECT_EQ(p->pixels[256], 0);
    b.row(0)[3 * 256 + 1] = 1;
    EXPECT_FALSE(crx::indexedPicture(b));
}

}  // namespace
}  // namespace marlit
