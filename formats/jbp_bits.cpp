#include "formats/jbp_bits.h"

namespace marlit::jbp {

void appendMirrored(std::vector<uint8_t>& out, std::span<const uint8_t> in) {
    size_t at = out.size();
    out.resize(at + in.size() + kStreamPadding, 0);
    uint8_t* dst = out.data() + at;
    size_t i = 0;
    // Eight bytes at a time: swap nibbles, pairs, then single bits.
    for (; i + 8 <= in.size(); i += 8) {
        uint64_t v;
        std::memcpy(&v, in.data() + i, 8);
        v = ((v >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((v & 0x0F0F0F0F0F0F0F0Full) << 4);
        v = ((v >> 2) & 0x3333333333333333ull) | ((v & 0x3333333333333333ull) << 2);
        v = ((v >> 1) & 0x5555555555555555ull) | ((v & 0x5555555555555555ull) << 1);
        std::memcpy(dst + i, &v, 8);
    }
    for (; i < in.size(); ++i) {
        uint32_t b = in[i];
        b = ((b >> 4) & 0x0F) | ((b & 0x0F) << 4);
        b = ((b >> 2) & 0x33) | ((b & 0x33) << 2);
        b = ((b >> 1) & 0x55) | ((b & 0x55) << 1);
        dst[i] = static_cast<uint8_t>(b);
    }
}

void HuffmanDecoder::build(const HuffmanTree& tree) {
    children_ = tree.children;
    symbols_ = tree.symbols;
    struct Step {
        int node;
        uint32_t code;
        int length;
    };
    Step stack[2 * kLookupBits + 2];
    int top = 0;
    stack[top++] = {tree.root(), 0, 0};
    while (top > 0) {
        Step s = stack[--top];
        if (s.node < symbols_ || s.length == kLookupBits) {
            // Every lookup value that starts with this code leads here.
            uint32_t entry = s.node < symbols_ ? static_cast<uint32_t>(s.node) |
                                                     (static_cast<uint32_t>(s.length) << 16)
                                               : static_cast<uint32_t>(s.node);
            int free = kLookupBits - s.length;
            uint32_t first = s.code << free;
            for (uint32_t i = 0; i < (1u << free); ++i)
                table_[first + i] = entry;
            continue;
        }
        const auto& c = children_[s.node - symbols_];
        stack[top++] = {c[1], (s.code << 1) | 1, s.length + 1};
        stack[top++] = {c[0], s.code << 1, s.length + 1};
    }
}

int HuffmanDecoder::walk(BitReader& in, int node) const {
    while (node >= symbols_)
        node = children_[node - symbols_][in.bit()];
    return node;
}

}  // namespace marlit::jbp
