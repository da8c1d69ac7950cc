// CRX pictures: the header, the type-2 rows and what damaged files give.
#include "converter/crx_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/converter/crx_files.h"
#include "tools/crx/crx_lz_writer.h"

namespace marlit {
namespace {

using test::crxHeader;
using test::zlibRowsFile;

Bitmap decodeOk(const std::vector<uint8_t>& file) {
    std::string error;
    auto b = DecodeCrx(file, &error);
    EXPECT_TRUE(b) << error;
    return b ? *b : Bitmap{};
}

TEST(CrxHeader, RefusesWhatCannotBeAPicture) {
    std::string error;
    auto header = crxHeader(4, 4, false, 0);
    header.pop_back();
    EXPECT_FALSE(DecodeCrx(header, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(DecodeCrx(crxHeader(0, 4, false, 0)));
    EXPECT_FALSE(DecodeCrx(crxHeader(4, 0, true, 0)));
    EXPECT_FALSE(DecodeCrx(crxHeader(65535, 65535, false, 0)));
    // 64 MiB is the most a bitmap may take.
    EXPECT_FALSE(DecodeCrx(crxHeader(8192, 2731, false, 0)));
    EXPECT_FALSE(DecodeCrx(crxHeader(4096, 4097, true, 1)));
    auto big = DecodeCrx(crxHeader(8192, 2730, false, 0));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->pixels.size(), 8192u * 2730 * 3);
}

TEST(CrxHeader, TypeTwoDepthCodeMustBeAKindOrAFittingPalette) {
    // Depth code 3 promises a palette of three entries: 9 bytes.
    auto fits = crxHeader(1, 1, true, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_TRUE(DecodeCrx(fits));
    fits.resize(fits.size() - 1);
    EXPECT_FALSE(DecodeCrx(fits));
    EXPECT_FALSE(DecodeCrx(crxHeader(1, 1, true, 0x55555556)));
    EXPECT_FALSE(DecodeCrx(crxHeader(1, 1, true, 0xFFFFFFFF)));
    // The kinds need no palette; their missing data is zero.
    for (uint32_t kind : {0u, 1u}) {
        auto b = DecodeCrx(crxHeader(2, 1, true, kind));
        ASSERT_TRUE(b);
        EXPECT_EQ(b->bytesPerPixel, kind == 1 ? 4 : 3);
        EXPECT_EQ(pixelKindOf(*b), kind == 1 ? PixelKind::Alpha : PixelKind::Opaque);
    }
}

TEST(CrxZlibRows, FilterFourFillsPlanesOfWidthFive) {
    // Plane 0: 10, then 20 with a run of two more, then 30. Plane 1: 7 and
    // four more. Plane 2: five values without runs.
    std::vector<uint8_t> raw = {4, 10, 20, 20, 2, 30, 7, 7, 4, 1, 2, 3, 4, 5};
    auto b = decodeOk(zlibRowsFile(5, 1, 0, raw));
    EXPECT_EQ(b.pixels, (std::vector<uint8_t>{10, 7, 1, 20, 7, 2, 20, 7, 3, 20, 7, 4, 30, 7, 5}));
}

TEST(CrxZlibRows, FilterFourRunIsCutAtTheEndOfItsPlane) {
    // Plane 0's run asks for 200 more; plane 1 starts right after its count.
    std::vector<uint8_t> raw = {4, 9, 9, 200, 1, 2, 3, 4, 5, 6, 6, 4};
    auto b = decodeOk(zlibRowsFile(5, 1, 0, raw));
    EXPECT_EQ(b.pixels, (std::vector<uint8_t>{9, 1, 6, 9, 2, 6, 9, 3, 6, 9, 4, 6, 9, 5, 6}));
}

TEST(CrxZlibRows, TopRowPredictsFromZeros) {
    // Filters 1, 2 and 3 on the top row add nothing; the file's own first
    // bytes are not a row above.
    const std::vector<uint8_t> row = {1, 2, 3, 40, 50, 60, 200, 201, 202};
    for (uint8_t filter : {1, 2, 3}) {
        std::vector<uint8_t> raw = {filter};
        raw.insert(raw.end(), row.begin(), row.end());
        EXPECT_EQ(decodeOk(zlibRowsFile(3, 1, 0, raw)).pixels, row) << int(filter);
    }
}

TEST(CrxZlibRows, FiltersPredictFromLeftAndAbove) {
    // Row 0 stored as is (filter 1 over zeros), then each filter over it.
    const std::vector<uint8_t> top = {10, 20, 30, 40, 50, 60};
    struct Case {
        uint8_t filter;
        std::vector<uint8_t> stored, expected;
    };
    const Case cases[] = {
        {0, {1, 2, 3, 1, 1, 1}, {1, 2, 3, 2, 3, 4}},
        {1, {1, 2, 3, 255, 1, 1}, {11, 22, 33, 39, 51, 61}},
        {2, {1, 2, 3, 1, 1, 1}, {1, 2, 3, 11, 21, 31}},
        {3, {1, 2, 3, 1, 1, 1}, {41, 52, 63, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> raw = {1};
        raw.insert(raw.end(), top.begin(), top.end());
        raw.push_back(c.filter);
        raw.insert(raw.end(), c.stored.begin(), c.stored.end());
        auto b = decodeOk(zlibRowsFile(2, 2, 0, raw));
        EXPECT_EQ(std::vector<uint8_t>(b.row(1), b.row(1) + 6), c.expected) << int(c.filter);
    }
}

TEST(CrxZlibRows, UnknownFilterLeavesTheRowZero) {
    // Row 0's filter 9 is followed at once by row 1's filter byte.
    std::vector<uint8_t> raw = {9, 0, 5, 6, 7, 1, 1, 1, 1, 4, 4, 4, 4, 4, 4};
    auto b = decodeOk(zlibRowsFile(2, 3, 0, raw));
    EXPECT_EQ(b.pixels,
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 5, 6, 7, 6, 7, 8, 9, 10, 11, 10, 11, 12}));
}

TEST(CrxZlibRows, ThirtyTwoBitPixelsAreReordered) {
    // Stored as (255 - alpha, blue, green, red).
    std::vector<uint8_t> raw = {1, 0x00, 11, 22, 33, 0x80, 44, 55, 66, 0xFF, 1, 2, 3};
    auto b = decodeOk(zlibRowsFile(3, 1, 1, raw));
    EXPECT_EQ(b.bytesPerPixel, 4);
    EXPECT_EQ(b.pixels, (std::vector<uint8_t>{11, 22, 33, 255, 44, 55, 66, 127, 1, 2, 3, 0}));
}

TEST(CrxZlibRows, IndexedRowsArePaddedToFourBytes) {
    // Width 6 reads rows of 8 indexes and uses 6. Palette: blue, green, red;
    // index 7 lies beyond the four entries and is black.
    const std::vector<uint8_t> palette = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<uint8_t> raw = {0, 1, 2, 3, 7, 0, 3, 3, 3, 2, 1, 0, 0, 1, 2, 2};
    auto b = decodeOk(zlibRowsFile(6, 2, 4, raw, palette));
    EXPECT_EQ(b.bytesPerPixel, 3);
    EXPECT_EQ(std::vector<uint8_t>(b.row(0), b.row(0) + 18),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(std::vector<uint8_t>(b.row(1), b.row(1) + 18),
              (std::vector<uint8_t>{10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3, 1, 2, 3, 4, 5, 6}));
}

TEST(CrxDamage, MissingDataIsZero) {
    // Noise rows, the compressed stream cut in half: the rows it still
    // holds decode, the rest is zero.
    const int w = 16, h = 64;
    std::vector<uint8_t> raw;
    uint32_t seed = 1;
    for (int y = 0; y < h; ++y) {
        raw.push_back(1);
        for (int i = 0; i < w * 3; ++i) {
            seed = seed * 1103515245 + 12345;
            raw.push_back(static_cast<uint8_t>(seed >> 16));
        }
    }
    auto whole = zlibRowsFile(w, h, 0, raw);
    auto cut = std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2);
    auto b = decodeOk(cut);
    EXPECT_TRUE(std::equal(b.row(0), b.row(0) + w * 3, raw.begin() + 1));
    EXPECT_EQ(std::vector<uint8_t>(b.row(h - 1), b.row(h - 1) + w * 3),
              std::vector<uint8_t>(w * 3, 0));

    // Garbage in place of a zlib stream: a zero picture.
    auto junk = crxHeader(4, 4, true, 0);
    junk.insert(junk.end(), 40, 0xA5);
    EXPECT_EQ(decodeOk(junk).pixels, std::vector<uint8_t>(48, 0));

    // A short last row keeps what it has.
    std::vector<uint8_t> shortRow = {0, 1, 2, 3, 1, 1};
    EXPECT_EQ(decodeOk(zlibRowsFile(2, 1, 0, shortRow)).pixels,
              (std::vector<uint8_t>{1, 2, 3, 2, 3, 0}));
}

TEST(CrxLzType, IndexedPicturesUseTheirRedFirstPalette) {
    // Two entries, red first in the file; index 5 is past the palette.
    crx::LzTokenWriter w;
    for (uint8_t i : {0, 1, 5, 1})
        w.literal(i);
    auto file = crxHeader(2, 3, false, 2, {10, 20, 30, 40, 50, 60});
    auto stream = w.finish();
    file.insert(file.end(), stream.begin(), stream.end());
    auto b = decodeOk(file);
    // The stream stops after four pixels: the last two stay black.
    EXPECT_EQ(b.pixels, (std::vector<uint8_t>{30, 20, 10, 60, 50, 40, 0, 0, 0, 60, 50, 40, 0, 0, 0,
                                              0, 0, 0}));

    // A palette cut short by the end of the file leaves no pixel data.
    auto cutPalette = crxHeader(1, 1, false, 200, {1, 2, 3});
    EXPECT_EQ(decodeOk(cutPalette).pixels, (std::vector<uint8_t>{0, 0, 0}));
}

TEST(CrxLzType, BytesAfterTheLastRowAreIgnored) {
    crx::LzTokenWriter w;
    for (uint8_t v : {1, 2, 3, 4, 5, 6, 7, 8, 9})
        w.literal(v);
    auto file = crxHeader(1, 2, false, 0);
    auto stream = w.finish();
    file.insert(file.end(), stream.begin(), stream.end());
    EXPECT_EQ(decodeOk(file).pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace marlit
