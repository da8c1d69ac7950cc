// The Huffman codes of the JbpStream, shared by the encoder and the decoder,
// which must build the same tree bit for bit from the stored counts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace marlit {

inline constexpr int kJbpDcSymbols = 16;
inline constexpr int kJbpAcSymbols = 256;
// Counts (and the sums of merged counts) must stay below this.
inline constexpr uint64_t kJbpCountLimit = 2099999999;

// Leaves are the symbols 0..n-1; node n + i is the i-th node created, so
// the root is 2n - 2. Every symbol, also one of count 0, has a code.
struct HuffmanTree {
    int symbols = 0;
    // children[i] are child 0 and child 1 of node n + i.
    std::vector<std::array<uint16_t, 2>> children;

    int root() const { return 2 * symbols - 2; }
};

// Repeatedly joins the live node of smallest count (ties: lowest index) as
// child 0 with the next smallest as child 1. None when the counts add up
// to kJbpCountLimit or more, where the joining would leave the range.
std::optional<HuffmanTree> buildHuffmanTree(std::span<const uint32_t> counts);

struct HuffmanCode {
    uint64_t bits = 0;  // the path from the root, first step in the top bit used
    int length = 0;
};

// The code of every symbol; codes longer than 64 bits get length 0. Such
// codes belong only to symbols of tiny counts that an encoder of a stream
// within the count limit never has to write.
std::vector<HuffmanCode> huffmanCodes(const HuffmanTree& tree);

// The AC histogram as stored: 1024 bytes of 256 little-endian counts with
// zero bytes packed as runs, padded to a multiple of 4 bytes.
std::vector<uint8_t> packAcHistogram(std::span<const uint32_t> counts);
// Unpacks from the start of `bytes`; the counts and the bytes taken (the
// padding included). None when the bytes end before 1024 are produced.
struct UnpackedHistogram {
    std::array<uint32_t, kJbpAcSymbols> counts{};
    size_t consumed = 0;
};
std::optional<UnpackedHistogram> unpackAcHistogram(std::span<const uint8_t> bytes);

// Natural (row-major) position of each zigzag position.
extern const std::array<uint8_t, 64> kZigzag;

}  // namespace marlit
