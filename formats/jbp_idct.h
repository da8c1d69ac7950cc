// The inverse DCT and colour conversion of the JbpStream decoder.
//
// The transform is the separable Loeffler-Ligtenberg-Moschytz integer one
// with 16-bit fractional constants, every product shifted right by 16 on
// its own; the first pass (columns) dequantizes and does not scale, the
// second (rows) shifts by 3. Both are templates on the arithmetic type:
// blocks whose values are known to stay small run in 32 bits, any other
// block in 64 bits, so a hostile stream cannot overflow and a sane one
// gets the same result either way.
#pragma once

#include <array>
#include <cstdint>

namespace marlit::jbp {

// A block in 32 bits is safe when every dequantized AC level is at most
// this in magnitude and the dequantized DC at most kTameDc: then no product
// of either pass leaves 32 bits.
inline constexpr int64_t kTameAc = 800;
inline constexpr int64_t kTameDc = int64_t{1} << 28;

// levels: 64 in natural order; nonzero: bit i set when levels[i] may be
// non-zero (bit 0, the DC, is not consulted). out: 64 samples, level shift
// not yet added.
template <typename T>
void inverseDct(const int32_t* levels, uint64_t nonzero, const uint8_t* quant, T* out);

// The three field tables of RGB565 for values -256..511, indexed by value +
// 256: red (v & 0xF8) << 8, green (v & 0xFC) << 3, blue v >> 3, with values
// outside 0..255 clamped.
struct ClampTables {
    ClampTables();
    std::array<uint16_t, 768> red, green, blue;
};

// One macroblock of samples (four luminance blocks, Cb, Cr) to RGB565 at
// out with a pitch in words.
template <typename T>
void macroblockToRgb565(const T (*samples)[64], const ClampTables& tables, uint16_t* out,
                        int pitch);

}  // namespace marlit::jbp
