#include "formats/jbp_huffman.h"

#include <gtest/gtest.h>

#include <random>

namespace marlit {
namespace {

// The construction as the format states it: scan all live nodes for the
// smallest count, lowest index first, twice per step.
HuffmanTree slowTree(const std::vector<uint32_t>& counts) {
    const int n = static_cast<int>(counts.size());
    std::vector<uint64_t> count(counts.begin(), counts.end());
    std::vector<bool> used(2 * n - 1, false);
    HuffmanTree tree;
    tree.symbols = n;
    auto smallest = [&](int except) {
        int best = -1;
        for (int i = 0; i < static_cast<int>(count.size()); ++i) {
            if (used[i] || i == except)
                continue;
            if (best < 0 || count[i] < count[best])
                best = i;
        }
        return best;
    };
    for (;;) {
        int x = smallest(-1);
        int y = smallest(x);
        if (y < 0)
            break;
        used[x] = used[y] = true;
        count.push_back(count[x] + count[y]);
        tree.children.push_back({static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
    }
    return tree;
}

TEST(JbpHuffman, TreeMatchesTheStatedConstructionWithTiesAndZeros) {
    std::mt19937 rng(5);
    for (int round = 0; round < 100; ++round) {
        int n = round % 2 ? kJbpAcSymbols : kJbpDcSymbols;
        std::vector<uint32_t> counts(n);
        // Small ranges make many ties; some rounds are mostly zeros.
        uint32_t range = std::vector<uint32_t>{1, 3, 10, 1000, 100000}[round % 5];
        for (auto& c : counts)
            c = rng() % (range + 1);
        if (round % 7 == 0) {
            for (int i = 0; i < n; i += 3)
                counts[i] = 0;
        }
        auto fast = buildHuffmanTree(counts);
        ASSERT_TRUE(fast);
        EXPECT_EQ(fast->children, slowTree(counts).children) << "round " << round;
    }
}

TEST(JbpHuffman, CodesAreCompleteAndPrefixFree) {
    // All counts 0 still give every symbol a code: four bits for 16 symbols.
    std::vector<uint32_t> zeros(kJbpDcSymbols, 0);
    auto codes = huffmanCodes(*buildHuffmanTree(zeros));
    for (const auto& c : codes)
        EXPECT_EQ(c.length, 4);
    EXPECT_EQ(codes[0].bits, 0u);  // two lowest-index leaves pair first, 0 as child 0

    std::mt19937 rng(9);
    std::vector<uint32_t> counts(kJbpAcSymbols);
    for (auto& c : counts)
        c = rng() % 5 == 0 ? 0 : rng() % 5000;
    codes = huffmanCodes(*buildHuffmanTree(counts));
    double kraft = 0;
    for (const auto& c : codes) {
        ASSERT_GT(c.length, 0);
        kraft += std::ldexp(1.0, -c.length);
    }
    EXPECT_DOUBLE_EQ(kraft, 1.0);
    for (size_t a = 0; a < codes.size(); ++a) {
        for (size_t b = 0; b < codes.size(); ++b) {
            if (a == b || codes[a].length > codes[b].length)
                continue;
            uint64_t prefix = codes[b].bits >> (codes[b].length - codes[a].length);
            EXPECT_NE(prefix, codes[a].bits) << a << " is a prefix of " << b;
        }
    }
}

TEST(JbpHuffman, CountsThatLeaveTheRangeAreRefused) {
    std::vector<uint32_t> counts(kJbpDcSymbols, 0);
    counts[3] = 2099999998;
    EXPECT_TRUE(buildHuffmanTree(counts));
    counts[4] = 1;  // the root's count would reach the marker of used nodes
    EXPECT_FALSE(buildHuffmanTree(counts));
    counts.assign(kJbpDcSymbols, 0xFFFFFFFF);
    EXPECT_FALSE(buildHuffmanTree(counts));
}

TEST(JbpHuffman, AcHistogramPacksZeroRuns) {
    std::vector<uint32_t> counts(kJbpAcSymbols, 0);
    counts[0] = 7;
    counts[0x11] = 0x01000203;
    counts[255] = 3;
    auto packed = packAcHistogram(counts);
    EXPECT_EQ(packed.size() % 4, 0u);
    EXPECT_EQ(packed[0], 7);
    EXPECT_EQ(packed[1], 0);  // then 3 + 4 * 16 zero bytes: 67
    EXPECT_EQ(packed[2], 66);
    auto back = unpackAcHistogram(packed);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::vector<uint32_t>(back->counts.begin(), back->counts.end()), counts);
    EXPECT_EQ(back->consumed, packed.size());

    // All zeros: four runs of 256.
    std::vector<uint32_t> none(kJbpAcSymbols, 0);
    EXPECT_EQ(packAcHistogram(none), (std::vector<uint8_t>{0, 255, 0, 255, 0, 255, 0, 255}));

    // Cut short, the histogram is refused; a run past 1024 bytes stops there.
    for (size_t cut = 0; cut < packed.size() - 4; ++cut) {
        EXPECT_FALSE(unpackAcHistogram(std::span(packed).first(cut))) << cut;
    }
    std::vector<uint8_t> overlong{0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 9, 9};
    auto clipped = unpackAcHistogram(overlong);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->consumed, 8u);
}

}  // namespace
}  // namespace marlit
