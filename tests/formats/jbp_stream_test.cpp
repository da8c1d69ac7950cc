#include "formats/jbp_stream.h"

#include <gtest/gtest.h>

#include <random>

#include "base/bytes.h"
#include "formats/jbp_colour.h"
#include "formats/jbp_huffman.h"
#include "formats/jbp_idct.h"
#include "formats/rbp_image.h"
#include "tests/formats/libjpeg_reference.h"
#include "tests/formats/synthetic_picture.h"

namespace marlit {
namespace {

JbpCoefficients flatCoefficients(int width, int height) {
    JbpCoefficients c;
    c.width = width;
    c.height = height;
    c.quality = 90;
    for (auto& q : c.quant)
        q.fill(1);
    c.quant[0][0] = c.quant[1][0] = 8;  // a DC level is then its sample
    c.blocks.resize(static_cast<size_t>((width + 15) / 16) * ((height + 15) / 16) * 6);
    return c;
}

Rgb565Picture decoded(const JbpCoefficients& c) {
    auto stream = writeJbpStream(c);
    EXPECT_TRUE(stream);
    auto picture = DecodeJbp(*stream);
    EXPECT_TRUE(picture);
    return picture ? *picture : Rgb565Picture{};
}

std::vector<uint32_t> acHistogramOf(const std::vector<uint8_t>& stream) {
    auto h = unpackAcHistogram(std::span(stream).subspan(108));
    EXPECT_TRUE(h);
    return {h->counts.begin(), h->counts.end()};
}

// A stream of hand-picked symbols: each is (symbol, size of extra bits,
// extra bits), coded with the codes of their own counts.
struct Item {
    int symbol;
    int size;
    uint32_t bits;
};
std::vector<uint8_t> craftStream(int width, int height, const std::vector<Item>& dc,
                                 const std::vector<Item>& ac) {
    std::vector<uint32_t> dcCounts(kJbpDcSymbols), acCounts(kJbpAcSymbols);
    for (const Item& i : dc)
        ++dcCounts[i.symbol];
    for (const Item& i : ac)
        ++acCounts[i.symbol];
    auto write = [](const std::vector<Item>& items, const std::vector<uint32_t>& counts) {
        auto codes = huffmanCodes(*buildHuffmanTree(counts));
        std::vector<uint8_t> out;
        size_t bit = 0;
        auto put = [&](uint64_t v, int n) {
            for (int k = n - 1; k >= 0; --k, ++bit) {
                if (bit / 8 >= out.size())
                    out.resize(out.size() + 4, 0);
                out[bit / 8] |= static_cast<uint8_t>(((v >> k) & 1) << (bit % 8));
            }
        };
        for (const Item& i : items) {
            put(codes[i.symbol].bits, codes[i.symbol].length);
            put(i.bits, i.size);
        }
        return out;
    };
    auto dcBytes = write(dc, dcCounts), acBytes = write(ac, acCounts);
    ByteWriter w;
    w.bytes("JBP1", 4);
    for (uint32_t v : {44u, 0x08000001u, 90u})
        w.u32(v);
    w.u16(static_cast<uint16_t>(width));
    w.u16(static_cast<uint16_t>(height));
    for (uint32_t v : {24u, 0u, static_cast<uint32_t>(dcBytes.size()),
                       static_cast<uint32_t>(acBytes.size()), 0u, 0u}) {
        w.u32(v);
    }
    for (uint32_t c : dcCounts)
        w.u32(c);
    w.bytes(packAcHistogram(acCounts));
    std::vector<uint8_t> quant(128, 1);
    quant[0] = quant[64] = 8;
    w.bytes(quant);
    w.bytes(dcBytes);
    w.bytes(acBytes);
    return w.take();
}

TEST(JbpEncoder, CodesAcRunsWithTheirSpecialSymbols) {
    JbpCoefficients c = flatCoefficients(16, 16);
    // Block 1: the only level at zigzag position 63, after 62 zeros.
    c.blocks[1][kZigzag[63]] = 1;
    // Block 2: exactly 15 zeros before a level of 3 (size 2).
    c.blocks[2][kZigzag[16]] = 3;
    // Block 3: a run of 14 zeros still fits one symbol.
    c.blocks[3][kZigzag[15]] = -1;
    auto stream = writeJbpStream(c);
    ASSERT_TRUE(stream);
    auto ac = acHistogramOf(*stream);
    std::vector<uint32_t> expected(kJbpAcSymbols, 0);
    expected[0x00] = 5;  // blocks 0, 2, 3, 4, 5 end early; block 1 does not
    expected[0xFF] = 2;  // 62 zeros: twice 30 ...
    expected[0x21] = 1;  // ... then a run of 2 and size 1
    expected[0xF0] = 1;  // 15 zeros ...
    expected[0x02] = 1;  // ... then the size alone
    expected[0xE1] = 1;  // run 14, size 1
    EXPECT_EQ(ac, expected);

    // They decode back to what was coded.
    auto picture = decoded(c);
    c.blocks[1][kZigzag[63]] = 0;
    c.blocks[2][kZigzag[16]] = 0;
    c.blocks[3][kZigzag[15]] = 0;
    EXPECT_NE(picture.pixels, decoded(c).pixels);
}

TEST(JbpEncoder, RefusesWhatTheCodeCannotCarry) {
    JbpCoefficients c = flatCoefficients(16, 16);
    c.blocks[0][5] = 32767;
    c.blocks[1][0] = -32767;
    EXPECT_TRUE(writeJbpStream(c));
    c.blocks[0][5] = -32768;
    EXPECT_FALSE(writeJbpStream(c));
    c.blocks[0][5] = 0;
    c.blocks[1][0] = 32767;  // a DC difference of 32767 is fine ...
    c.blocks[2][0] = -1;     // ... one of 32768 is not
    EXPECT_FALSE(writeJbpStream(c));
    c = flatCoefficients(16, 16);
    c.blocks.pop_back();
    EXPECT_FALSE(writeJbpStream(c));

    std::vector<uint8_t> px = test::syntheticPicture(32, 32);
    EXPECT_TRUE(EncodeJbp({32, 32, 3, px, 32, 32}, 90));
    EXPECT_FALSE(EncodeJbp({31, 32, 3, px, 31, 32}, 90));
    EXPECT_FALSE(EncodeJbp({32, 31, 3, px, 32, 31}, 90));
    EXPECT_FALSE(EncodeJbp({32, 32, 3, px, 32, 32}, 75));
    EXPECT_FALSE(EncodeJbp({32, 32, 2, px, 32, 32}, 90));
    EXPECT_FALSE(EncodeJbp({32, 33, 3, px, 32, 33}, 90));  // too few pixels
}

TEST(JbpDecoder, FlatBlocksFollowTheArithmeticExactly) {
    JbpCoefficients c = flatCoefficients(16, 16);
    // Luminance -1 with Cb -27 and Cr -43: every shift rounds down, and
    // 116129, 22553 and 46801 (not one more) give these fields.
    for (int b = 0; b < 4; ++b)
        c.blocks[b][0] = -1;
    c.blocks[4][0] = -27;
    c.blocks[5][0] = -43;
    auto picture = decoded(c);
    ASSERT_EQ(picture.pixels.size(), 256u);
    for (uint16_t v : picture.pixels)
        ASSERT_EQ(v, 0x4529);

    // Dequantization multiplies, the second pass shifts by 3, down.
    c = flatCoefficients(16, 16);
    c.quant[0][0] = 5;
    c.blocks[0][0] = -3;  // -15 >> 3 = -2
    c.blocks[1][0] = 13;  // 65 >> 3 = 8
    picture = decoded(c);
    EXPECT_EQ(picture.pixels[0], packRgb565(126, 126, 126));
    EXPECT_EQ(picture.pixels[8], packRgb565(136, 136, 136));
    EXPECT_EQ(picture.pixels[8 * 16], packRgb565(128, 128, 128));
}

TEST(JbpDecoder, FrequenciesLandInTheirDirections) {
    // Zigzag position 1 is the first horizontal frequency, 2 the first
    // vertical one.
    for (int zz : {1, 2}) {
        JbpCoefficients c = flatCoefficients(16, 16);
        c.blocks[0][kZigzag[zz]] = 40;
        auto p = decoded(c);
        bool rowsEqual = true, columnsEqual = true;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                rowsEqual &= p.pixels[y * 16 + x] == p.pixels[x];
                columnsEqual &= p.pixels[y * 16 + x] == p.pixels[y * 16];
            }
        }
        EXPECT_EQ(rowsEqual, zz == 1) << zz;
        EXPECT_EQ(columnsEqual, zz == 2) << zz;
        EXPECT_GT(p.pixels[0], p.pixels[7 + 7 * 16]);
    }
}

TEST(JbpDecoder, ExtremeValuesClampInsteadOfLeavingTheTables) {
    // DC levels climbing by the largest difference until dequantized values
    // pass any table: luminance white or black, and in the last macroblock
    // a green that lands inside 0..255 only through exact wide arithmetic.
    for (int sign : {1, -1}) {
        JbpCoefficients c = flatCoefficients(12 * 16, 16);
        c.quant[0][0] = 255;
        c.quant[1][0] = 241;
        for (size_t b = 0; b < 66; ++b)
            c.blocks[b][0] = sign * 32767 * static_cast<int>(b + 1);
        for (int b = 0; b < 4; ++b)
            c.blocks[66 + b][0] = sign * 2172964;
        c.blocks[70][0] = c.blocks[71][0] = sign * 2172622;
        auto p = decoded(c);
        ASSERT_EQ(p.pixels.size(), 12u * 16 * 16);
        EXPECT_EQ(p.pixels[0], sign > 0 ? 0xF81F : 0x07E0);
        EXPECT_EQ(p.pixels[11 * 16], sign > 0 ? 0xFB9F : 0x0460);
    }
}

TEST(JbpDecoder, NarrowArithmeticAgreesWithWideWhereItIsUsed) {
    // The 32-bit transform is used for blocks within the tame limits; at
    // those limits it must give what the 64-bit one gives (an overflow
    // would also stop the sanitizer build).
    std::mt19937 rng(3);
    std::array<uint8_t, 64> quant;
    quant.fill(1);
    for (int round = 0; round < 2000; ++round) {
        int32_t levels[64];
        uint64_t nonzero = ~uint64_t{0};
        for (int i = 0; i < 64; ++i) {
            int32_t limit = static_cast<int32_t>(i == 0 ? jbp::kTameDc : jbp::kTameAc);
            levels[i] = round < 1000 ? (rng() & 1 ? limit : -limit)
                                     : static_cast<int32_t>(rng() % (2 * limit + 1)) - limit;
        }
        if (round % 3 == 0)
            nonzero = 0x0101010101010101ull;  // column 0 only
        int32_t narrow[64];
        int64_t wide[64];
        jbp::inverseDct<int32_t>(levels, nonzero, quant.data(), narrow);
        jbp::inverseDct<int64_t>(levels, nonzero, quant.data(), wide);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(narrow[i], wide[i]) << round << " " << i;
    }
}

TEST(JbpDecoder, VectorPathsGiveTheScalarResults) {
    std::mt19937 rng(8);
    // The AVX2 transform against the scalar one on tame blocks.
    if (jbp::hasAvx2()) {
        alignas(32) int32_t quant[64];
        for (int round = 0; round < 500; ++round) {
            alignas(32) int32_t levels[64];
            for (int i = 0; i < 64; ++i) {
                quant[i] = 1 + static_cast<int32_t>(rng() % 16);
                int32_t limit =
                    static_cast<int32_t>((i == 0 ? jbp::kTameDc : jbp::kTameAc) / quant[i]);
                levels[i] =
                    rng() % 3 == 0 ? 0 : static_cast<int32_t>(rng() % (2 * limit + 1)) - limit;
            }
            std::array<uint8_t, 64> quant8;
            for (int i = 0; i < 64; ++i)
                quant8[i] = static_cast<uint8_t>(quant[i]);
            int32_t vector[64], scalar[64];
            jbp::inverseDctAvx2(levels, quant, vector);
            jbp::inverseDct<int32_t>(levels, ~uint64_t{0}, quant8.data(), scalar);
            ASSERT_TRUE(std::equal(vector, vector + 64, scalar)) << round;
        }
    }
    // The 16-bit colour conversion against the wide one, luminance at any
    // size, chrominance up to its limit.
    jbp::ClampTables tables;
    for (int round = 0; round < 300; ++round) {
        alignas(16) int32_t samples[6][64];
        int32_t yRange = round % 3 == 0 ? 100000 : 400;
        for (int b = 0; b < 6; ++b) {
            int32_t range = b < 4 ? yRange : (round % 2 ? 16383 : 300);
            for (int i = 0; i < 64; ++i) {
                samples[b][i] = static_cast<int32_t>(rng() % (2 * range + 1)) - range;
            }
        }
        uint16_t fast[16 * 16], wide[16 * 16];
        ASSERT_TRUE(jbp::macroblockToRgb565Fast(samples, fast, 16));
        jbp::macroblockToRgb565<int32_t>(samples, tables, wide, 16);
        ASSERT_TRUE(std::equal(fast, fast + 256, wide)) << round;
        samples[5][round % 64] = round % 2 ? 16384 : -16384;
        EXPECT_FALSE(jbp::macroblockToRgb565Fast(samples, fast, 16));
    }
    // And whole pictures.
    std::vector<uint8_t> px = test::syntheticPicture(96, 64);
    for (int quality : {100, 80}) {
        auto stream = *EncodeJbp({96, 64, 3, px, 96, 64}, quality);
        auto vector = DecodeJbp(stream);
        jbp::allowAvx2(false);
        auto scalar = DecodeJbp(stream);
        jbp::allowAvx2(true);
        ASSERT_TRUE(vector && scalar);
        EXPECT_EQ(vector->pixels, scalar->pixels);
    }
}

TEST(JbpDecoder, GoldenPicture) {
    // Coefficients of every kind (flat blocks, sparse and dense ones, levels
    // that force the wide arithmetic) decode to this picture; any change of
    // a constant, shift or rounding shows here. (The picture was checked
    // against the arithmetic done in unbounded integers.)
    JbpCoefficients c = flatCoefficients(48, 32);
    std::mt19937 rng(21);
    for (int t = 0; t < 2; ++t) {
        for (auto& q : c.quant[t])
            q = static_cast<uint8_t>(1 + rng() % 40);
    }
    for (size_t b = 0; b < c.blocks.size(); ++b) {
        c.blocks[b][0] = static_cast<int32_t>(rng() % 401) - 200;
        int count = static_cast<int>(b % 4) * 9;
        for (int i = 0; i < count; ++i) {
            c.blocks[b][kZigzag[1 + rng() % 63]] = static_cast<int32_t>(rng() % 61) - 30;
        }
    }
    c.blocks[7][1] = 900;  // a macroblock through the 64-bit path
    auto p = decoded(c);
    uint64_t hash = 1469598103934665603ull;
    for (uint16_t v : p.pixels) {
        hash = (hash ^ (v & 0xFF)) * 1099511628211ull;
        hash = (hash ^ (v >> 8)) * 1099511628211ull;
    }
    EXPECT_EQ(hash, 7171826322682092503ull);
}

TEST(JbpDecoder, PadsToWholeMacroblocks) {
    std::vector<uint8_t> px = test::syntheticPicture(33, 17);
    auto c = jpegCoefficients(*baselineJpeg({33, 17, 3, px, 33, 17}, 90));
    ASSERT_TRUE(c);
    auto stream = writeJbpStream(*c);
    auto p = DecodeJbp(*stream);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 33);
    EXPECT_EQ(p->height, 17);
    EXPECT_EQ(p->paddedWidth, 48);
    EXPECT_EQ(p->paddedHeight, 32);
    EXPECT_EQ(p->pixels.size(), 48u * 32);

    // The caller's buffer takes the same picture at the padded pitch, and
    // one word too small is refused.
    std::vector<uint16_t> buffer(48 * 32);
    ASSERT_TRUE(DecodeJbp(*stream, buffer));
    EXPECT_EQ(buffer, p->pixels);
    buffer.pop_back();
    EXPECT_FALSE(DecodeJbp(*stream, buffer));
}

// libjpeg's decoding packed to RGB565.
std::vector<uint16_t> libjpegRgb565(const std::vector<uint8_t>& jpeg) {
    std::vector<uint8_t> rgb = test::libjpegRgb(jpeg);
    std::vector<uint16_t> out;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        out.push_back(packRgb565(rgb[i], rgb[i + 1], rgb[i + 2]));
    return out;
}

TEST(JbpDecoder, AgreesWithLibjpegWithinOneStep) {
    const int w = 176, h = 144;
    std::vector<uint8_t> px = test::syntheticPicture(w, h);
    for (int quality : {100, 90, 80}) {
        auto jpeg = baselineJpeg({w, h, 3, px, w, h}, quality);
        auto p = DecodeJbp(*writeJbpStream(*jpegCoefficients(*jpeg)));
        ASSERT_TRUE(p);
        auto reference = libjpegRgb565(*jpeg);
        int far = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                uint16_t a = p->pixels[y * p->paddedWidth + x], b = reference[y * w + x];
                int dr = std::abs((a >> 11) - (b >> 11));
                int dg = std::abs(((a >> 5) & 63) - ((b >> 5) & 63));
                int db = std::abs((a & 31) - (b & 31));
                far += std::max({dr, dg, db}) > 1;
            }
        }
        // At quality 100 many more high-frequency levels survive, and the
        // transform's truncated products add up to more.
        EXPECT_LE(far, w * h / (quality == 100 ? 100 : 1000)) << "quality " << quality;
    }
}

TEST(JbpDecoder, LevelsPastTheBlockEndAreDropped) {
    // Block 0: two runs of 30 then a level 3 places on: position 64, past
    // the block, so it is read and dropped. Block 1: a run of 15 + 15 from
    // position 40 also leaves the block, and the next symbol belongs to
    // block 2, which gets a level at position 1.
    std::vector<Item> dc(6, Item{0, 0, 0});
    std::vector<Item> ac{{0xFF, 0, 0},      {0xFF, 0, 0}, {0x31, 1, 1},  // block 0
                         {0xF0 | 9, 0, 0},                               // block 1: 1 + 24 = 25
                         {0xF0 | 0, 0, 0},                               // 40
                         {0xF0 | 15, 0, 0},                              // 70: past the end
                         {0x01, 1, 1},                                   // block 2
                         {0x00, 0, 0},      {0x00, 0, 0}, {0x00, 0, 0}, {0x00, 0, 0}};
    auto stream = craftStream(16, 16, dc, ac);
    auto p = DecodeJbp(stream);
    ASSERT_TRUE(p);
    JbpCoefficients c = flatCoefficients(16, 16);
    c.blocks[2][kZigzag[1]] = 1;
    EXPECT_EQ(p->pixels, decoded(c).pixels);
}

TEST(JbpDecoder, QuantizationTablesCarryOverBetweenFrames) {
    std::vector<uint8_t> px = test::syntheticPicture(48, 32);
    auto stream = *EncodeJbp({48, 32, 3, px, 48, 32}, 80);
    // The same frame without its tables.
    std::vector<uint8_t> bare = stream;
    storeU32(bare.data() + 8, 0x00000001);
    size_t tables = 108 + packAcHistogram(acHistogramOf(stream)).size();
    bare.erase(bare.begin() + static_cast<long>(tables),
               bare.begin() + static_cast<long>(tables) + 128);

    EXPECT_FALSE(DecodeJbp(bare));  // a fresh decoder has no tables yet
    JbpDecoder decoder;
    auto first = decoder.decode(stream);
    auto second = decoder.decode(bare);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->pixels, second->pixels);
}

TEST(JbpDecoder, BadStreamsGiveNoPicture) {
    std::vector<uint8_t> px = test::syntheticPicture(64, 48);
    const auto stream = *EncodeJbp({64, 48, 3, px, 64, 48}, 90);
    ASSERT_TRUE(DecodeJbp(stream));
    // Cut anywhere, the stream is refused.
    for (size_t cut = 0; cut + 4 <= stream.size(); cut += 7) {
        EXPECT_FALSE(DecodeJbp(std::span(stream).first(cut))) << cut;
    }
    // Sizes that lie.
    auto lie = [&](size_t offset, uint32_t value) {
        auto s = stream;
        storeU32(s.data() + offset, value);
        return DecodeJbp(s).has_value();
    };
    EXPECT_FALSE(lie(28, loadU32(stream.data() + 28) + 4));  // the DC stream runs on
    EXPECT_FALSE(lie(32, loadU32(stream.data() + 32) / 2));  // the AC stream ends early
    EXPECT_FALSE(lie(4, 0xFFFFFFF0));                        // tables beyond the end
    EXPECT_FALSE(lie(16, 0xFFFFFFFF));                       // 65535 x 65535
    EXPECT_FALSE(lie(16, 0));                                // no pixels
    EXPECT_FALSE(lie(44, 0xFFFFFFFF));                       // counts out of range
    // Garbage anywhere never reads or writes outside the buffers.
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        auto s = stream;
        for (int k = 0; k < 1 + round % 8; ++k)
            s[rng() % s.size()] = static_cast<uint8_t>(rng());
        DecodeJbp(s);
    }
}

}  // namespace
}  // namespace marlit
