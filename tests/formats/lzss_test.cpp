// LZSS: the stream layout, round trips through the tree-based compressor, and
// the fast expander held against a plain byte-by-byte ring expander.
#include "formats/lzss.h"

#include <gtest/gtest.h>

#include <random>

namespace marlit {
namespace {

using Bytes = std::vector<uint8_t>;

// The format read the simple way: a 2048-byte ring of zeros, one byte at a
// time. The fast expander must agree with it on every stream.
Bytes ringExpand(const Bytes& in, size_t outSize) {
    uint8_t ring[2048] = {};
    size_t r = 2031;
    Bytes out;
    size_t i = 0;
    while (i < in.size() && out.size() < outSize) {
        unsigned flags = in[i++];
        for (int k = 0; k < 8 && out.size() < outSize; ++k, flags >>= 1) {
            if (flags & 1) {
                if (i >= in.size())
                    return out;
                out.push_back(ring[r] = in[i++]);
                r = (r + 1) & 2047;
                continue;
            }
            if (i + 1 >= in.size())
                return out;
            size_t pos = in[i] | ((in[i + 1] & 0xF0) << 4);
            size_t len = (in[i + 1] & 0x0F) + 2;
            i += 2;
            for (size_t j = 0; j < len && out.size() < outSize; ++j) {
                uint8_t c = ring[(pos + j) & 2047];
                out.push_back(ring[r] = c);
                r = (r + 1) & 2047;
            }
        }
    }
    return out;
}

Bytes expand(const Bytes& in, size_t outSize) {
    Bytes out(outSize, 0xCD);
    out.resize(LzssExpand(in, out));
    return out;
}

Bytes roundTrip(const Bytes& data) {
    Bytes packed = lzssCompressToVector(data);
    EXPECT_LE(packed.size(), lzssBound(data.size()));
    return expand(packed, data.size());
}

TEST(Lzss, EighteenEqualBytesTakeFour) {
    Bytes data(18, 0x41);
    Bytes packed = lzssCompressToVector(data);
    EXPECT_EQ(packed, (Bytes{0x01, 0x41, 0xEF, 0x7F}));
    EXPECT_EQ(expand(packed, 18), data);
}

// Pseudo-random text over a small alphabet: many equal-length matches, so
// the tree's tie rule and its replacement of equal keys decide the stream.
Bytes lcgText(size_t n, const Bytes& alphabet) {
    uint32_t x = 1;
    Bytes out;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        out.push_back(alphabet[(x >> 16) % alphabet.size()]);
    }
    return out;
}

uint32_t fnv1a(const Bytes& b) {
    uint32_t h = 2166136261u;
    for (uint8_t c : b)
        h = (h ^ c) * 16777619u;
    return h;
}

TEST(Lzss, CompressorMakesTheMatchChoicesOfTheTree) {
    // Of two 6-byte matches the one found first (position 2031) is taken.
    EXPECT_EQ(lzssCompressToVector(Bytes{'a', 'b', 'c', 'a', 'b', 'c', 'X', 'a', 'b', 'c',
                                         'a', 'b', 'c', 'Y', 'a', 'b', 'c', 'a', 'b', 'c'}),
              (Bytes{0x57, 'a', 'b', 'c', 0xEF, 0x71, 'X', 0xEF, 0x74, 'Y', 0xEF, 0x74}));
    // Streams worked out independently from the algorithm, across ring wraps.
    struct Case {
        size_t length;
        Bytes alphabet;
        size_t packed;
        uint32_t hash;
    };
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<uint8_t>(i);
    for (const Case& c :
         {Case{5000, {'a', 'b', ' ', 'c', 'd', '\n'}, 2774, 0x88d60ba0u},
          Case{3000, {0, 1}, 628, 0xe045a25au}, Case{4100, all, 4603, 0xbbe83662u}}) {
        Bytes data = lcgText(c.length, c.alphabet);
        Bytes packed = lzssCompressToVector(data);
        EXPECT_EQ(packed.size(), c.packed) << c.length;
        EXPECT_EQ(fnv1a(packed), c.hash) << c.length;
        EXPECT_EQ(expand(packed, data.size()), data);
    }
}

TEST(Lzss, EmptySourceWritesNothing) {
    uint8_t dst[4] = {9, 9, 9, 9};
    uint8_t src[1] = {1};
    EXPECT_EQ(LzssCompress(dst, src, 0), -1);
    EXPECT_EQ(dst[0], 9);
    EXPECT_TRUE(lzssCompressToVector({}).empty());
    EXPECT_TRUE(expand({}, 10).empty());
}

TEST(Lzss, RoundTrips) {
    std::mt19937 rng(7);
    auto make = [&](size_t n, auto byteAt) {
        Bytes d(n);
        for (size_t i = 0; i < n; ++i)
            d[i] = byteAt(i);
        return d;
    };
    std::vector<Bytes> cases = {
        make(1, [](size_t) { return uint8_t{0}; }),
        make(2, [](size_t) { return uint8_t{7}; }),
        make(100000, [](size_t) { return uint8_t{0}; }),
        make(50000, [&](size_t) { return static_cast<uint8_t>(rng()); }),
        make(50000, [&](size_t) { return static_cast<uint8_t>(rng() % 3); }),
        make(30000, [](size_t i) { return static_cast<uint8_t>("abcab"[i % 5]); }),
    };
    // Repeats at distances around the ring's size: the longest reachable,
    // just out of reach, and the wrap of the mirrored key bytes.
    for (size_t period : {2030, 2031, 2047, 2048, 2049, 4096}) {
        Bytes block = make(period, [&](size_t) { return static_cast<uint8_t>(rng()); });
        Bytes d;
        for (int k = 0; k < 4; ++k)
            d.insert(d.end(), block.begin(), block.end());
        cases.push_back(d);
    }
    for (size_t n = 1; n <= 40; ++n) {
        cases.push_back(make(n, [&](size_t) { return static_cast<uint8_t>(rng() % 2 + 1); }));
    }
    for (const Bytes& d : cases) {
        EXPECT_EQ(roundTrip(d), d) << "size " << d.size();
    }
}

TEST(Lzss, CompressesRepetitiveText) {
    std::string line = "\x83\x65\x83\x4C\x83\x58\x83\x67 text line of a script\r\n";
    Bytes data;
    for (int i = 0; i < 2000; ++i)
        data.insert(data.end(), line.begin(), line.end());
    Bytes packed = lzssCompressToVector(data);
    // 17 bytes per 2-byte match at best: 1/8 with flag bytes.
    EXPECT_LT(packed.size(), data.size() / 7);
    EXPECT_EQ(expand(packed, data.size()), data);
}

TEST(Lzss, ExpanderAgreesWithRingOnAnyStream) {
    std::mt19937 rng(11);
    for (int t = 0; t < 400; ++t) {
        Bytes in(rng() % 3000);
        // Mostly matches with short distances, so that overlapping copies,
        // positions before the first byte and wide copies all occur.
        for (auto& b : in)
            b = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : rng() % 16);
        size_t outSize = rng() % 20000;
        EXPECT_EQ(expand(in, outSize), ringExpand(in, outSize)) << "case " << t;
    }
    // A literal history, then groups of matches at one distance each, long
    // enough for the fast path: every distance from 1 to 2048.
    for (size_t dist = 1; dist <= 2048; dist += (dist < 40 ? 1 : 37)) {
        Bytes in;
        size_t produced = 0;
        for (int g = 0; g < 300; ++g, produced += 8) {
            in.push_back(0xFF);
            for (int k = 0; k < 8; ++k)
                in.push_back(static_cast<uint8_t>(rng()));
        }
        for (int g = 0; g < 300; ++g) {
            in.push_back(0x00);
            for (int k = 0; k < 8; ++k) {
                size_t len = 2 + rng() % 16;
                size_t pos = (2031 + produced - dist) & 2047;
                in.push_back(static_cast<uint8_t>(pos));
                in.push_back(static_cast<uint8_t>(((pos >> 4) & 0xF0) | (len - 2)));
                produced += len;
            }
        }
        EXPECT_EQ(expand(in, produced), ringExpand(in, produced)) << "distance " << dist;
    }
}

TEST(Lzss, ExpanderStaysInsideItsBuffers) {
    Bytes data(5000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 31 / 7);
    Bytes packed = lzssCompressToVector(data);
    // Output smaller than the stream's: stops exactly there.
    Bytes guard(3000 + 64, 0xEE);
    EXPECT_EQ(LzssExpand(packed, std::span<uint8_t>(guard.data(), 3000)), 3000u);
    EXPECT_TRUE(std::equal(guard.begin(), guard.begin() + 3000, data.begin()));
    for (size_t i = 3000; i < guard.size(); ++i)
        ASSERT_EQ(guard[i], 0xEE);
    // Every cut of the stream gives a prefix of the data.
    for (size_t cut = 0; cut < packed.size(); cut += 97) {
        Bytes part(packed.begin(), packed.begin() + cut);
        Bytes out = expand(part, data.size());
        EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << "cut " << cut;
    }
}

TEST(Lzss, HandMadeStreams) {
    // A match before anything was written reads zeros, also from the ring's
    // last 17 positions, which the format leaves unset.
    EXPECT_EQ(expand({0x00, 0xF8, 0x77}, 9), Bytes(9, 0));
    // Positions are taken modulo 2048: high nibble 0xF gives 0x700 | low
    // byte, here 2031, the byte just written.
    Bytes a = expand({0x01, 'Q', 0xEF, 0xF1}, 4);
    EXPECT_EQ(a, (Bytes{'Q', 'Q', 'Q', 'Q'}));
    // A match cut after its first byte ends the stream.
    EXPECT_EQ(expand({0x01, 'Q', 0xEF}, 4), (Bytes{'Q'}));
}

}  // namespace
}  // namespace marlit
