// LZSS as the packs store it (method 1): a 2048-byte ring, matches of 2 to
// 17 bytes, groups of one flag byte (read from bit 0 up, 1 = literal) and
// eight items. A match is two bytes: position low 8 bits, then position bits
// 8-10 in the high nibble and length - 2 in the low nibble. The ring starts
// zeroed with the write position at 2031.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace marlit {

inline constexpr size_t kLzssRingSize = 2048;
inline constexpr size_t kLzssMaxMatch = 17;
inline constexpr size_t kLzssMinMatch = 2;
inline constexpr size_t kLzssStartPosition = kLzssRingSize - kLzssMaxMatch;

// The largest stream LzssCompress writes for `length` source bytes: every
// item costs at most the bytes it covers, plus one flag byte per 8 items.
constexpr size_t lzssBound(size_t length) {
    return length + (length + 7) / 8;
}

// Compresses length bytes of src into dst, which holds at least
// lzssBound(length) bytes (twice the length always does). Returns the bytes
// written, or -1 for an empty source, which writes nothing.
int64_t LzssCompress(uint8_t* dst, const uint8_t* src, size_t length);

// The stream of src as a vector; empty for an empty source.
std::vector<uint8_t> lzssCompressToVector(std::span<const uint8_t> src);

// Expands the stream `in` into `out`, stopping when out is full, the input is
// used up or a match lacks its second byte. Returns the bytes produced; the
// rest of out is left as it was. Never reads or writes outside the spans.
size_t LzssExpand(std::span<const uint8_t> in, std::span<uint8_t> out);

}  // namespace marlit
