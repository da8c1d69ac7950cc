// The inverse DCT of the JbpStream decoder.
//
// The transform is the separable Loeffler-Ligtenberg-Moschytz integer one
// with 16-bit fractional constants, every product shifted right by 16 on
// its own; the first pass (columns) dequantizes and does not scale, the
// second (rows) shifts by 3. Both are templates on the arithmetic type:
// blocks whose values are known to stay small run in 32 bits, any other
// block in 64 bits, so a hostile stream cannot overflow and a sane one
// gets the same result either way.
#pragma once

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

// The same for 32-bit blocks with AVX2; the same results as
// inverseDct<int32_t>. Only where hasAvx2() says so.
void inverseDctAvx2(const int32_t* levels, const int32_t* quant, int32_t* out);
// True when the processor has AVX2 and it has not been turned off (for
// comparing the two transforms).
bool hasAvx2();
void allowAvx2(bool allowed);

}  // namespace marlit::jbp
