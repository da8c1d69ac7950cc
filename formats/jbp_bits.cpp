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

namespace {

int32_t valueOf(uint32_t bits, int s) {
    if (s == 0)
        return 0;
    int32_t b = static_cast<int32_t>(bits);
    return b < (1 << (s - 1)) ? b - (1 << s) + 1 : b;
}

}  // namespace

void HuffmanDecoder::build(const HuffmanTree& tree, bool dc) {
    children_ = tree.children;
    symbols_ = tree.symbols;
    struct Step {
        int node;
        uint32_t code;
        int length;
    };
    Step stack[kLookupBits + 2];
    int top = 0;
    stack[top++] = {tree.root(), 0, 0};
    while (top > 0) {
        Step s = stack[--top];
        if (s.node >= symbols_ && s.length < kLookupBits) {
            const auto& c = children_[s.node - symbols_];
            stack[top++] = {c[1], (s.code << 1) | 1, s.length + 1};
            stack[top++] = {c[0], s.code << 1, s.length + 1};
            continue;
        }
        // Every lookup value that starts with this code leads here.
        const int free = kLookupBits - s.length;
        const uint32_t first = s.code << free;
        if (s.node >= symbols_) {
            table_[first] = static_cast<uint32_t>(s.node);  // length 0: walk on
            continue;
        }
        const int symbol = s.node;
        const bool valued = dc || (symbol != 0 && symbol < 0xF0);
        const int size = dc ? symbol : symbol & 0x0F;
        for (uint32_t i = 0; i < (1u << free); ++i) {
            uint32_t e = static_cast<uint32_t>(symbol);
            if (valued && size <= free) {
                uint32_t extra = size == 0 ? 0 : i >> (free - size);
                e |= static_cast<uint32_t>(s.length + size) << 9 | kWithValue |
                     static_cast<uint32_t>(valueOf(extra, size)) << 16;
            } else {
                e |= static_cast<uint32_t>(s.length) << 9;
            }
            table_[first + i] = e;
        }
    }
}

}  // namespace marlit::jbp
