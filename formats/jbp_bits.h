// Bit reading and Huffman symbol decoding for the JbpStream decoder.
//
// A stream fills 32-bit little-endian words from bit 0 up, which is the
// same as filling bytes from bit 0 up in byte order. Mirroring every byte
// once turns it into a most-significant-bit-first stream, in which both
// the codes (root first) and the extra bits read straight off the top of
// a 64-bit buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "formats/jbp_huffman.h"

namespace marlit::jbp {

// Zero bytes behind each mirrored stream: a refill may load 8 bytes past
// the point where it stops trusting the stream.
inline constexpr size_t kStreamPadding = 16;

// Appends the mirrored bytes of `in` and kStreamPadding zero bytes.
void appendMirrored(std::vector<uint8_t>& out, std::span<const uint8_t> in);

class BitReader {
  public:
    BitReader(const uint8_t* data, size_t size)
        : start_(data), p_(data), limit_(data + size + 8), size_(size) {}

    // At least 56 bits in the buffer afterwards.
    inline void refill() {
        if (p_ > limit_) [[unlikely]] {
            // Gone past the end: the stream was short. Keep reading zeros
            // from the padding and let finish() report it.
            p_ = limit_;
            overrun_ = true;
        }
        uint64_t word;
        std::memcpy(&word, p_, 8);
        buffer_ |= __builtin_bswap64(word) >> count_;
        p_ += (63 - count_) >> 3;
        count_ |= 56;
    }
    inline void refillBelow(int n) {
        if (count_ < n)
            refill();
    }
    inline uint32_t peek(int n) const { return static_cast<uint32_t>(buffer_ >> (64 - n)); }
    inline void consume(int n) {
        buffer_ <<= n;
        count_ -= n;
    }
    // A value of s bits (1..15) as its size-and-extra-bits coding defines.
    inline int32_t value(int s) {
        int32_t bits = static_cast<int32_t>(peek(s));
        consume(s);
        return bits < (1 << (s - 1)) ? bits - (1 << s) + 1 : bits;
    }
    inline int bit() {
        if (count_ == 0)
            refill();
        int b = static_cast<int>(buffer_ >> 63);
        consume(1);
        return b;
    }
    // True when no more bits were taken than the stream holds.
    bool finish() const {
        return !overrun_ && static_cast<uint64_t>(p_ - start_) * 8 - count_ <= size_ * 8;
    }
    bool overrun() const { return overrun_; }

  private:
    const uint8_t* start_;
    const uint8_t* p_;
    const uint8_t* limit_;
    size_t size_;
    uint64_t buffer_ = 0;
    int count_ = 0;
    bool overrun_ = false;
};

// Decodes symbols by looking up the next kLookupBits bits; longer codes
// continue bit by bit through the tree. Where a code and the extra bits of
// its value both fit the lookup, the entry carries the value as well.
class HuffmanDecoder {
  public:
    static constexpr int kLookupBits = 10;
    static constexpr uint32_t kWithValue = 1u << 14;

    // dc: the symbols are sizes of extra bits (DC); otherwise AC symbols,
    // whose low nibble is the size, 0x00 and 0xF0-0xFF having no value.
    void build(const HuffmanTree& tree, bool dc);

    // The entry for the next bits; the reader must hold at least 25 bits.
    inline uint32_t entry(const BitReader& in) const { return table_[in.peek(kLookupBits)]; }
    // For an entry with kWithValue: the bits taken, the symbol, the value.
    static inline int entryLength(uint32_t e) { return static_cast<int>((e >> 9) & 31); }
    static inline int entrySymbol(uint32_t e) { return static_cast<int>(e & 0x1FF); }
    static inline int32_t entryValue(uint32_t e) { return static_cast<int32_t>(e) >> 16; }

    // The symbol of an entry without a value, taking its code's bits.
    inline int symbol(BitReader& in, uint32_t e) const {
        int length = entryLength(e);
        if (length != 0) [[likely]] {
            in.consume(length);
            return entrySymbol(e);
        }
        in.consume(kLookupBits);
        int node = entrySymbol(e);
        while (node >= symbols_)
            node = children_[node - symbols_][in.bit()];
        return node;
    }

  private:
    // Bits 0-8: the symbol, or the tree node reached after kLookupBits
    // bits; 9-13: the bits to take, 0 for a longer code; 14: kWithValue;
    // 16-31: the value.
    std::array<uint32_t, 1 << kLookupBits> table_{};
    std::vector<std::array<uint16_t, 2>> children_;
    int symbols_ = 0;
};

}  // namespace marlit::jbp
