#include "formats/jbp_huffman.h"

#include <algorithm>
#include <numeric>

#include "base/bytes.h"

namespace marlit {

const std::array<uint8_t, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

std::optional<HuffmanTree> buildHuffmanTree(std::span<const uint32_t> counts) {
    const int n = static_cast<int>(counts.size());
    if (n < 2 || n > 256)
        return std::nullopt;
    uint64_t total = 0;
    for (uint32_t c : counts)
        total += c;
    if (total >= kJbpCountLimit)
        return std::nullopt;

    // Picking the smallest (count, index) among the live nodes is the same
    // as merging two queues: the leaves sorted by (count, index), and the
    // created nodes, whose counts never decrease and whose indices rise.
    std::vector<uint16_t> leaves(n);
    std::iota(leaves.begin(), leaves.end(), 0);
    std::stable_sort(leaves.begin(), leaves.end(),
                     [&](uint16_t a, uint16_t b) { return counts[a] < counts[b]; });
    std::vector<uint64_t> made(n - 1);
    HuffmanTree tree;
    tree.symbols = n;
    tree.children.resize(n - 1);
    size_t nextLeaf = 0, nextMade = 0, madeCount = 0;
    auto take = [&]() -> uint16_t {
        bool leafFirst;
        if (nextLeaf == leaves.size()) {
            leafFirst = false;
        } else if (nextMade == madeCount) {
            leafFirst = true;
        } else {
            // On equal counts the leaf wins: its index is lower.
            leafFirst = counts[leaves[nextLeaf]] <= made[nextMade];
        }
        if (leafFirst)
            return leaves[nextLeaf++];
        return static_cast<uint16_t>(n + nextMade++);
    };
    auto countOf = [&](uint16_t node) -> uint64_t {
        return node < n ? counts[node] : made[node - n];
    };
    for (int k = 0; k < n - 1; ++k) {
        uint16_t x = take();
        uint16_t y = take();
        made[madeCount++] = countOf(x) + countOf(y);
        tree.children[k] = {x, y};
    }
    return tree;
}

std::vector<HuffmanCode> huffmanCodes(const HuffmanTree& tree) {
    std::vector<HuffmanCode> codes(tree.symbols);
    struct Step {
        int node;
        uint64_t bits;
        int length;
    };
    std::vector<Step> stack{{tree.root(), 0, 0}};
    while (!stack.empty()) {
        Step s = stack.back();
        stack.pop_back();
        if (s.node < tree.symbols) {
            codes[s.node] = s.length <= 64 ? HuffmanCode{s.bits, s.length} : HuffmanCode{};
            continue;
        }
        const auto& c = tree.children[s.node - tree.symbols];
        for (uint64_t bit = 0; bit < 2; ++bit) {
            uint64_t bits = s.length < 64 ? (s.bits << 1) | bit : s.bits;
            stack.push_back({c[bit], bits, s.length + 1});
        }
    }
    return codes;
}

std::vector<uint8_t> packAcHistogram(std::span<const uint32_t> counts) {
    std::vector<uint8_t> raw;
    raw.reserve(counts.size() * 4);
    for (uint32_t c : counts) {
        for (int i = 0; i < 4; ++i)
            raw.push_back(static_cast<uint8_t>(c >> (8 * i)));
    }
    std::vector<uint8_t> out;
    for (size_t i = 0; i < raw.size();) {
        if (raw[i] != 0) {
            out.push_back(raw[i++]);
            continue;
        }
        size_t run = 1;
        while (run < 256 && i + run < raw.size() && raw[i + run] == 0)
            ++run;
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(run - 1));
        i += run;
    }
    while (out.size() % 4 != 0)
        out.push_back(0);
    return out;
}

std::optional<UnpackedHistogram> unpackAcHistogram(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kJbpAcSymbols * 4> raw{};
    size_t produced = 0, pos = 0;
    while (produced < raw.size()) {
        if (pos >= bytes.size())
            return std::nullopt;
        uint8_t b = bytes[pos++];
        if (b != 0) {
            raw[produced++] = b;
            continue;
        }
        if (pos >= bytes.size())
            return std::nullopt;
        // A run that would pass the end of the table stops there.
        size_t run = std::min<size_t>(bytes[pos++] + 1u, raw.size() - produced);
        produced += run;  // raw is zero already
    }
    UnpackedHistogram h;
    for (int s = 0; s < kJbpAcSymbols; ++s) {
        h.counts[s] = loadU32(&raw[4 * s]);
    }
    h.consumed = (pos + 3) & ~static_cast<size_t>(3);
    return h;
}

}  // namespace marlit
